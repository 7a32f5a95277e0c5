// A temporary program folder: a fresh folder that ProgramFolder() names (through
// WENDREL_HOME) while the object lives; afterwards the variable is as before and the
// folder is gone.
#pragma once

#include <optional>
#include <string>

#include "platform/net/ServiceEndpoints.h"
#include "tests/support/TempDirectory.h"

class TTempProgramFolder : public TTempDirectory {
 public:
  TTempProgramFolder();
  ~TTempProgramFolder();

  // Writes "config/endpoints.ini" so that every service (or one) is reached at baseUrl,
  // e.g. a test server's BaseUrl(). Other services' entries stay.
  void PointServicesAt(const std::string& baseUrl) const;
  void PointServiceAt(TWebService service, const std::string& baseUrl) const;

 private:
  std::optional<std::string> previousHome_;
};
