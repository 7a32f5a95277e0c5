// Process-wide settings of the web client: the defaults every new TIdHTTP starts with, and
// the handler that keeps the program responsive while a request runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct THttpDefaults {
  int ConnectTimeout = 15000;  // milliseconds to establish the connection (and TLS)
  int RequestTimeout = 60000;  // milliseconds for the whole request, answer included
  // A PEM file of certificate authorities to trust. It takes the place of the system's
  // bundle file; the system's certificate folder (/etc/ssl/certs) still counts. Empty:
  // the system's store alone. Tests point it at the CA they made.
  std::string CAFile;
  // Bytes at most of an answer read into memory (see TIdHTTP::MaxAnswerSize).
  std::int64_t MaxAnswerSize = std::int64_t{256} * 1024 * 1024;
};

// The defaults for clients created from now on; change them before creating a client.
THttpDefaults& HttpDefaults();

// Called again and again (every few tens of milliseconds) while a request waits for the
// network, on the thread that made the request. The application sets its event processing
// here so that windows repaint while a handler waits for its answer. An exception thrown
// by the handler ends the request and reaches the caller of Get/Post. Empty: nothing runs.
using THttpIdleHandler = std::function<void()>;
void SetHttpIdleHandler(THttpIdleHandler handler);
const THttpIdleHandler& HttpIdleHandler();
