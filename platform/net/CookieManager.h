// Cookie store that HTTP clients share once it is attached to them.
#pragma once

#include <string>
#include <vector>

// Attach with `client.CookieManager = &manager`: from then on the client sends the stored
// cookies that match a request and stores those its answers set (domain, path, expiry and
// secure flag as the server gave them). A client without a manager neither sends nor keeps
// cookies. The manager must outlive its attachment.
class TIdCookieManager {
 public:
  // Forgets every cookie.
  void Clear() { lines_.clear(); }
  bool IsEmpty() const { return lines_.empty(); }

 private:
  friend class TIdHTTP;
  // One cookie per line in the Netscape cookie-file format, as libcurl reads and writes it.
  std::vector<std::string> lines_;
};
