// The exception hierarchy: one base class with a UTF-16 message; every exception class
// of the system derives from it.
#pragma once

#include <exception>
#include <string>

#include "platform/rtl/Types.h"

class Exception : public std::exception {
 public:
  explicit Exception(String message);
  const String& Message() const { return message_; }
  void SetMessage(String message);
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  String message_;
  std::string utf8_;
};

// Declares an exception class that takes its message like Exception does.
#define WENDREL_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {                   \
   public:                                     \
    using Base::Base;                          \
  }

WENDREL_DECLARE_EXCEPTION(EConvertError, Exception);
WENDREL_DECLARE_EXCEPTION(EListError, Exception);
WENDREL_DECLARE_EXCEPTION(EInvalidCast, Exception);
WENDREL_DECLARE_EXCEPTION(EInvalidOperation, Exception);
WENDREL_DECLARE_EXCEPTION(EArgumentException, Exception);
WENDREL_DECLARE_EXCEPTION(EAbort, Exception);
WENDREL_DECLARE_EXCEPTION(EInOutError, Exception);
WENDREL_DECLARE_EXCEPTION(EStreamError, Exception);
WENDREL_DECLARE_EXCEPTION(EFCreateError, EStreamError);
WENDREL_DECLARE_EXCEPTION(EFOpenError, EStreamError);
WENDREL_DECLARE_EXCEPTION(EReadError, EStreamError);
WENDREL_DECLARE_EXCEPTION(EWriteError, EStreamError);
