#pragma once

namespace Velorin {

/// The presentation's fixed message texts (and the fixed beginnings of composed ones), kept in
/// one place because the reader, the handles and the tests all use them.
namespace Messages {

constexpr const char* ResourceNotSet = "Resource not set to a valid descriptor";
constexpr const char* NoInstanceElement = "Effect node lacks instance element";
constexpr const char* InvalidEffectClass = "Invalid effect class: ";
constexpr const char* ExpectedValuesOrController = "Expected values or controller";
constexpr const char* NoSuchEffect = "No such effect: ";
constexpr const char* NoSuchFramebuffer = "No such framebuffer: ";

/// "Failed to load effect '" + name + "': " + cause
constexpr const char* FailedToLoadEffectBegin = "Failed to load effect '";
constexpr const char* FailedToLoadEffectMiddle = "': ";
/// "Invalid parameter to '" + name + "': '" + tag + "'"
constexpr const char* InvalidParameterBegin = "Invalid parameter to '";
constexpr const char* InvalidParameterMiddle = "': '";
/// "Invalid controller type: '" + tag + "'"
constexpr const char* InvalidControllerTypeBegin = "Invalid controller type: '";
constexpr const char* QuoteEnd = "'";

} // namespace Messages

} // namespace Velorin
