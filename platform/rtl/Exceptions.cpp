#include "platform/rtl/Exceptions.h"

#include "platform/rtl/Unicode.h"

Exception::Exception(String message) : message_(std::move(message)), utf8_(StringToUtf8(message_)) {}

void Exception::SetMessage(String message) {
  message_ = std::move(message);
  utf8_ = StringToUtf8(message_);
}
