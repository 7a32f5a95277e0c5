// Failures of the HTTP client. Every one carries a German message that names what failed
// and the method and address of the request.
#pragma once

#include <string>

#include "platform/rtl/Exceptions.h"

// Base class of every failure of the web client.
WENDREL_DECLARE_EXCEPTION(EIdException, Exception);

// The server answered with a status outside 2xx (3xx too while redirects are not followed).
class EIdHTTPProtocolException : public EIdException {
 public:
  EIdHTTPProtocolException(String message, int errorCode, String reasonPhrase, std::string errorBody)
      : EIdException(std::move(message)),
        errorCode_(errorCode),
        reasonPhrase_(std::move(reasonPhrase)),
        errorBody_(std::move(errorBody)) {}
  // The HTTP status code, e.g. 404.
  int ErrorCode() const { return errorCode_; }
  // The status line's reason phrase, e.g. "Not Found" (may be empty).
  const String& ReasonPhrase() const { return reasonPhrase_; }
  // The bytes of the error answer's body.
  const std::string& ErrorBody() const { return errorBody_; }

 private:
  int errorCode_;
  String reasonPhrase_;
  std::string errorBody_;
};

// No answer could be had: host not found, connection refused or dropped, bad address,
// the client busy with another request.
WENDREL_DECLARE_EXCEPTION(EIdSocketError, EIdException);
// The connect time-out or the time-out of the whole request ran out.
WENDREL_DECLARE_EXCEPTION(EIdTimeout, EIdSocketError);
// An answer to be read into memory was longer than the client's MaxAnswerSize.
WENDREL_DECLARE_EXCEPTION(EIdAnswerTooLarge, EIdException);
// The TLS handshake failed, or the peer's certificate was not trusted or not for its host.
WENDREL_DECLARE_EXCEPTION(EIdTLSError, EIdSocketError);
