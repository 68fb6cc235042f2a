#pragma once

namespace Gralith::Utils::Messages {

// The utilities' and assets' failure texts and the fixed beginnings of composed ones, kept in one
// place because several loaders share them and tests compare them whole. All are thrown with
// ErrorGeneral unless their comment names another code.

// Files, strings and streams.
/// FileNotFound + path (ErrorFileNotFound).
constexpr const char* FileNotFound = "File not found: ";
/// NotRegularFile + path (ErrorFileNotFound).
constexpr const char* NotRegularFile = "Not a regular file: ";
/// FileTooLarge + path + the size and the limit.
constexpr const char* FileTooLarge = "File too large: ";
constexpr const char* NullAccess = "Managed nullpointer access attempt";
constexpr const char* SubStringOverflow = "SubString Overflow";
constexpr const char* NotAnInteger = "Unable to convert string to integer";
constexpr const char* NotAFloat = "Unable to convert string to float";
constexpr const char* StreamSizeUnknown = "Unable to determine the size of the stream";
constexpr const char* GeoStreamOverflow = "GeoStream Vertex Overflow";
/// Thrown with ErrorInvalidArgument, like the device layer's enumeration checks.
constexpr const char* InvalidTransformationType = "Invalid transformation type enum";
/// UnreadableSizeBegin + format + UnreadableSizeEnd
constexpr const char* UnreadableSizeBegin = "Unable to read ";
constexpr const char* UnreadableSizeEnd = " data: the stream cannot report its size";
/// CorruptDataBegin + format + CorruptDataMiddle + detail + CorruptDataAt + byte offset
constexpr const char* CorruptDataBegin = "Corrupt ";
constexpr const char* CorruptDataMiddle = " data: ";
constexpr const char* CorruptDataAt = " at byte ";

// The asset proxy.
/// AssetLoadFailed + descriptor + "\n" + one "LoaderName: message\n" line per failed attempt.
constexpr const char* AssetLoadFailed = "The following asset could not be loaded: ";
/// The line after AssetLoadFailed + descriptor when an asset's loading asks for itself.
constexpr const char* AssetRequestsItself = "The asset requests itself while it is being loaded";
constexpr const char* LoaderBehavedIncorrectly = "Loader behaved incorrectly";
/// NotATypeBegin + type name + ": " + descriptor
constexpr const char* NotATypeBegin = "Asset is not a ";
/// The prefixes of "not the asset type asked for": + descriptor.
constexpr const char* NotAText = "Asset is not a text: ";
constexpr const char* NotAScene = "Asset is not a scene: ";
constexpr const char* NotAShader = "Asset is not a shader: ";
constexpr const char* NotAGeometry = "Asset is not a geometry: ";

// Loaders.
constexpr const char* UnsupportedLoadMethod = "Unsupported load method";
constexpr const char* NoFileSystem = "The asset proxy has no file system";
constexpr const char* NoGraphicsDevice = "The asset proxy has no graphics device";
constexpr const char* NoSoundDevice = "No SoundDevice is set for this proxy";
constexpr const char* SceneNeedsDevice = "Loading a scene needs a graphics device";
/// BitmapNotLoaded + descriptor
constexpr const char* BitmapNotLoaded = "Unable to load bitmap: ";
/// InvalidResolutions + name + what is wrong, in parentheses
constexpr const char* InvalidResolutions = "Invalid resolutions in bitmap: ";
constexpr const char* CubeFaceNotSquare = " (Width and height must be equal)";
constexpr const char* CubeFacesUnequal = " (All bitmaps must have equal resolutions)";
constexpr const char* InvalidDescriptor = "Invalid descriptor";
constexpr const char* WildcardNotFound = "Wildchar (*) not found in filename";
constexpr const char* InvalidFaceCount = "Invalid number of faces specified in the descriptor. (Must be 6 faces)";
constexpr const char* NotAJpeg = "Not a JPG file";
constexpr const char* NotAPng = "Not a PNG file";
constexpr const char* UnsupportedPngFormat = "Unsupported PNG pixel format";
/// InvalidWav + what is wrong
constexpr const char* InvalidWav = "Invalid WAV-File! ";
constexpr const char* NotOgg = "This does not appear to be an Ogg Stream";
constexpr const char* XmlNoRootElement = "XML document has no root element";
constexpr const char* XmlTooDeep = "XML document nests elements deeper than 256 levels";
constexpr const char* FontMissingSize = "You must specify both filename and fontsize (ex. \"verdana.ttf:12\")";
constexpr const char* FontInitFailed = "Error initializing FreeType 2";
constexpr const char* FontUnknownFormat = "Unknown file format";
constexpr const char* FontLoadFailed = "Error loading font";
constexpr const char* FontSizeFailed = "Error setting font pixel size";

// Geometry and scene files: most are prefixes, followed by the value that was refused.
constexpr const char* UnsupportedFgmFormat = "Unsupported Format";
constexpr const char* UnsupportedStreamCount = "Unsupported Stream Count: ";
constexpr const char* UnsupportedDataType = "Unsupported Data Type: ";
constexpr const char* UnsupportedRemapType = "Unsupported Remap Type: ";
constexpr const char* UnsupportedComponentCount = "Unsupported Component Count: ";
constexpr const char* UnsupportedPrimitiveType = "Unsupported Primitive Type: ";
constexpr const char* UnsupportedIndexType = "Unsupported Index Type: ";
constexpr const char* UnsupportedBufferMode = "Unsupported Buffer Mode: ";
constexpr const char* MeshNotFound = "Mesh not found in FSG-file: ";
constexpr const char* UnsupportedFsgFormat = "Unsupported format/version";
constexpr const char* BindShapeComponents = "Error reading BindShapeMatrix: Invalid number of components";
constexpr const char* InverseBindComponents = "Error reading InverseBindMatrices: Invalid number of components";
constexpr const char* UnsupportedLightType = "Unsupported Light Type: ";
constexpr const char* UnsupportedTransformationType = "Unsupported Transformation Type: ";
constexpr const char* UnsupportedControllerType = "Unsupported Controller Type: ";
/// UnresolvedSid or UnresolvedId + the reference + FsgCorrupt
constexpr const char* UnresolvedSid = "Unresolved internal reference: SID=";
constexpr const char* UnresolvedId = "Unresolved internal reference: ID=";
constexpr const char* FsgCorrupt = " . FSG file is corrupt.";

} // namespace Gralith::Utils::Messages
