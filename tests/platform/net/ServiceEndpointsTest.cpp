#include <gtest/gtest.h>

#include <set>

#include "platform/net/HttpClient.h"
#include "platform/net/ServiceEndpoints.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/TestHttpServer.h"

TEST(ServiceEndpoints, BuiltInDefaultsWithoutAFile) {
  TTempProgramFolder home;
  std::set<String> sections;
  for (const TWebServiceInfo& info : WebServices()) {
    if (info.Service != TWebService::SeoService) {
      EXPECT_EQ(ServiceBase(info.Service), info.DefaultBase);
    }
    EXPECT_TRUE(sections.insert(ServiceSection(info.Service)).second) << "sections are distinct";
  }
  EXPECT_EQ(WebServices().size(), 9u);
  EXPECT_EQ(ServiceUrl(TWebService::Suggest, u"/complete/search?output=toolbar&q=a"),
            u"http://suggestqueries.google.com/complete/search?output=toolbar&q=a");
  EXPECT_EQ(ServiceHost(TWebService::TweetSearch), u"api.twitter.com");
}

// The SEO service has no address of its own: without one in the file, the lookup says which
// setting is missing instead of sending the request to a host that is never found.
TEST(ServiceEndpoints, ServiceWithoutBuiltInAddressNamesTheMissingSetting) {
  for (const char* file : {"", "[SeoService]\r\nBase=  \r\n", "[Suggest]\r\nBase=http://127.0.0.1:9\r\n"}) {
    TTempProgramFolder home;
    if (*file) home.WriteFile("config/endpoints.ini", file);
    try {
      ServiceUrl(TWebService::SeoService, u"/index.php?key=k");
      ADD_FAILURE() << file;
    } catch (const EIdException& e) {
      EXPECT_EQ(std::string(e.what()), "Keine Adresse für den Dienst SeoService eingestellt: in " +
                                           home.PathOf("config/endpoints.ini") +
                                           " fehlt im Abschnitt [SeoService] der Schlüssel Base (z. B. "
                                           "Base=https://dienst.example)");
    }
  }
}

TEST(ServiceEndpoints, FileOverridesServicesOneByOne) {
  TTempProgramFolder home;
  home.WriteFile("config/endpoints.ini",
                 "; local services\r\n"
                 "[suggest]\r\n"
                 "Base = http://127.0.0.1:8080/\r\n"
                 "[SeoService]\r\n"
                 "Base=https://seo.example.org/api\r\n"
                 "[Trends]\r\n"
                 "Base=\r\n"
                 "[TweetSearch]\r\n"
                 "Base=HTTPS://Tweets.Example:8443\r\n");
  EXPECT_EQ(ServiceBase(TWebService::Suggest), u"http://127.0.0.1:8080");
  EXPECT_EQ(ServiceUrl(TWebService::SeoService, u"/index.php?key=k"), u"https://seo.example.org/api/index.php?key=k");
  EXPECT_EQ(ServiceBase(TWebService::Trends), u"http://www.google.com");  // empty Base: built-in
  EXPECT_EQ(ServiceBase(TWebService::ShareCount), u"http://api.sharedcount.com");
  EXPECT_EQ(ServiceHost(TWebService::Suggest), u"127.0.0.1:8080");
  EXPECT_EQ(ServiceHost(TWebService::SeoService), u"seo.example.org");
  EXPECT_EQ(ServiceHost(TWebService::TweetSearch), u"Tweets.Example:8443");

  // Read at every lookup.
  home.PointServiceAt(TWebService::Suggest, "http://127.0.0.1:9");
  EXPECT_EQ(ServiceBase(TWebService::Suggest), u"http://127.0.0.1:9");
  EXPECT_EQ(ServiceBase(TWebService::SeoService), u"https://seo.example.org/api");
}

TEST(ServiceEndpoints, BaseThatIsNoWebAddressIsRefusedWithFileAndSection) {
  const char* bad[] = {"ftp://127.0.0.1", "127.0.0.1:8080", "file:///etc", "http://", "http:///x",
                       "http://h/a b", "http://h/?q=1"};
  for (const char* base : bad) {
    TTempProgramFolder home;
    home.WriteFile("config/endpoints.ini", std::string("[ShareCount]\nBase=") + base + "\n");
    try {
      ServiceBase(TWebService::ShareCount);
      ADD_FAILURE() << base;
    } catch (const EIdException& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(home.PathOf("config/endpoints.ini")), std::string::npos) << message;
      EXPECT_NE(message.find("[ShareCount] Base"), std::string::npos) << message;
    }
  }
}

TEST(ServiceEndpoints, RequestsReachTheServerTheFileNames) {
  TTempProgramFolder home;
  TTestHttpServer server;
  home.PointServicesAt(server.BaseUrl());
  server.Answer("/1/urls/count.json", THttpAnswer("{\"count\":7}"));
  for (const TWebServiceInfo& info : WebServices()) EXPECT_EQ(ServiceBase(info.Service), Utf8ToString(server.BaseUrl()));
  TIdHTTP http;
  EXPECT_EQ(http.Get(ServiceUrl(TWebService::TweetCount, u"/1/urls/count.json?url=http://example.com/")),
            u"{\"count\":7}");
  EXPECT_EQ(server.LastRequest().Params.at("url"), "http://example.com/");
}
