#include "tests/support/TempProgramFolder.h"

#include <cstdlib>
#include <filesystem>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Unicode.h"

TTempProgramFolder::TTempProgramFolder() : TTempDirectory("wendrel-home") {
  if (const char* home = std::getenv("WENDREL_HOME")) previousHome_ = home;
  setenv("WENDREL_HOME", Path().c_str(), 1);
}

TTempProgramFolder::~TTempProgramFolder() {
  if (previousHome_) {
    setenv("WENDREL_HOME", previousHome_->c_str(), 1);
  } else {
    unsetenv("WENDREL_HOME");
  }
}

void TTempProgramFolder::PointServicesAt(const std::string& baseUrl) const {
  for (const TWebServiceInfo& info : WebServices()) PointServiceAt(info.Service, baseUrl);
}

void TTempProgramFolder::PointServiceAt(TWebService service, const std::string& baseUrl) const {
  std::filesystem::create_directories(PathOf("config"));
  TMemIniFile ini(Utf8ToString(PathOf("config/endpoints.ini")));
  ini.WriteString(ServiceSection(service), u"Base", Utf8ToString(baseUrl));
  ini.UpdateFile();
}
