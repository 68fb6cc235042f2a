# The engine's public API: the headers `cmake --install` copies, that gralith/gralith.h
# includes, and that the header checks compile alone. Every other header under gralith/ is a
# private part of the build (backend classes, helpers shared by sources); a public header may
# include only public ones. docs/architecture.md ("Public API") says why each group is public.
# Paths are relative to the repository root. Included by the build and by the -P check scripts.
set(GRALITH_PUBLIC_HEADERS
  # Core: reference counting, the one exception type, the scoped reference, and what a platform
  # creates for the presentation.
  gralith/gralith.h
  gralith/Exception.h
  gralith/Object.h
  gralith/Platform.h
  gralith/Ref.h

  # Graphics: the device interface, its factory of the GraphicsDriver setting, enumerations,
  # descriptions, resources and failure texts.
  gralith/graphics/BlendState.h
  gralith/graphics/Buffer.h
  gralith/graphics/DepthStencilState.h
  gralith/graphics/Descriptions.h
  gralith/graphics/Device.h
  gralith/graphics/DeviceFactory.h
  gralith/graphics/DeviceImpl.h
  gralith/graphics/DeviceStatistics.h
  gralith/graphics/Enums.h
  gralith/graphics/IndexBuffer.h
  gralith/graphics/InputLayout.h
  gralith/graphics/Messages.h
  gralith/graphics/Parameter.h
  gralith/graphics/Program.h
  gralith/graphics/RasterizerState.h
  gralith/graphics/SamplerState.h
  gralith/graphics/SemanticMap.h
  gralith/graphics/Shader.h
  gralith/graphics/Surface.h
  gralith/graphics/Texture.h
  gralith/graphics/Texture2D.h
  gralith/graphics/Texture3D.h
  gralith/graphics/TextureCube.h
  gralith/graphics/VertexBuffer.h

  # Devices a user creates and the shading layer they take.
  gralith/graphics/gl/CgShading.h
  gralith/graphics/gl/EGLGLDevice.h
  gralith/graphics/gl/GLDevice.h
  gralith/graphics/gl/GLShadingContext.h
  gralith/graphics/null/NullCall.h
  gralith/graphics/null/NullDevice.h
  gralith/graphics/sdl/SDLGLDevice.h

  # Platform services: interfaces and the SDL classes a user creates.
  gralith/input/Context.h
  gralith/input/Joystick.h
  gralith/input/KeyCodes.h
  gralith/input/Keyboard.h
  gralith/input/Mouse.h
  gralith/input/sdl/SDLInputContext.h
  gralith/sound/Buffer.h
  gralith/sound/Device.h
  gralith/sound/Mixer.h
  gralith/sound/MusicStream.h
  gralith/sound/sdl/SDLSoundDevice.h
  gralith/window/Window.h
  gralith/window/sdl/SDLWindow.h

  # Utilities: containers, strings, clock, files, render state, immediate geometry, XML.
  gralith/utils/Array.h
  gralith/utils/FileSystem.h
  gralith/utils/GeoStream.h
  gralith/utils/InputFile.h
  gralith/utils/InputStream.h
  gralith/utils/Map.h
  gralith/utils/Messages.h
  gralith/utils/MemoryInputStream.h
  gralith/utils/State.h
  gralith/utils/String.h
  gralith/utils/Timer.h
  gralith/utils/Tree.h
  gralith/utils/xml/Attribute.h
  gralith/utils/xml/Element.h
  gralith/utils/xml/Node.h

  # Assets: the proxy, the asset types, the loader base and the engine's loaders.
  gralith/utils/assets/Asset.h
  gralith/utils/assets/Bitmap2D.h
  gralith/utils/assets/Font.h
  gralith/utils/assets/Geometry.h
  gralith/utils/assets/Proxy.h
  gralith/utils/assets/Scene.h
  gralith/utils/assets/TextAsset.h
  gralith/utils/assets/WaveData.h
  gralith/utils/assets/loaders/FGMLoader.h
  gralith/utils/assets/loaders/FSGLoader.h
  gralith/utils/assets/loaders/JPEGLoader.h
  gralith/utils/assets/loaders/Loader.h
  gralith/utils/assets/loaders/OggLoader.h
  gralith/utils/assets/loaders/PNGLoader.h
  gralith/utils/assets/loaders/ProgramLoader.h
  gralith/utils/assets/loaders/ShaderLoader.h
  gralith/utils/assets/loaders/SoundBufferLoader.h
  gralith/utils/assets/loaders/TextLoader.h
  gralith/utils/assets/loaders/Texture2DLoader.h
  gralith/utils/assets/loaders/TextureCubeLoader.h
  gralith/utils/assets/loaders/TrueTypeFontLoader.h
  gralith/utils/assets/loaders/WavLoader.h
  gralith/utils/assets/loaders/XmlLoader.h

  # Scene graph: matrices, the transform stack, nodes, cameras, lights, materials, animation.
  gralith/utils/scenegraph/Animation.h
  gralith/utils/scenegraph/Batch.h
  gralith/utils/scenegraph/BezierController.h
  gralith/utils/scenegraph/BezierKeyframe.h
  gralith/utils/scenegraph/Camera.h
  gralith/utils/scenegraph/ConstantController.h
  gralith/utils/scenegraph/Controller.h
  gralith/utils/scenegraph/KeyframedController.h
  gralith/utils/scenegraph/Light.h
  gralith/utils/scenegraph/LinearController.h
  gralith/utils/scenegraph/LinearKeyframe.h
  gralith/utils/scenegraph/Material.h
  gralith/utils/scenegraph/Matrix4.h
  gralith/utils/scenegraph/Node.h
  gralith/utils/scenegraph/Skin.h
  gralith/utils/scenegraph/SwitchController.h
  gralith/utils/scenegraph/Transform.h
  gralith/utils/scenegraph/Transformation.h
  gralith/utils/scenegraph/Vector4.h
)
