#include "platform/net/ServiceEndpoints.h"

#include "platform/net/NetExceptions.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"

namespace {

constexpr TWebServiceInfo kServices[] = {
    {TWebService::ShareCount, u"ShareCount", u"http://api.sharedcount.com"},
    {TWebService::GraphApi, u"GraphApi", u"https://graph.facebook.com"},
    {TWebService::TweetCount, u"TweetCount", u"https://cdn.api.twitter.com"},
    {TWebService::Suggest, u"Suggest", u"http://suggestqueries.google.com"},
    {TWebService::Trends, u"Trends", u"http://www.google.com"},
    {TWebService::ActivitySearch, u"ActivitySearch", u"https://www.googleapis.com"},
    // The SEO service has no public address of its own: it must be configured.
    {TWebService::SeoService, u"SeoService", u""},
    {TWebService::PageFeed, u"PageFeed", u"https://graph.facebook.com"},
    {TWebService::TweetSearch, u"TweetSearch", u"https://api.twitter.com"},
};

const TWebServiceInfo& InfoOf(TWebService service) { return kServices[static_cast<int>(service)]; }

bool StartsWithText(const String& s, const String& prefix) {
  return s.size() >= prefix.size() && LowerCase(s.substr(0, prefix.size())) == prefix;
}

}  // namespace

std::span<const TWebServiceInfo> WebServices() { return kServices; }

String ServiceSection(TWebService service) { return InfoOf(service).Section; }

String ServiceBase(TWebService service) {
  const TWebServiceInfo& info = InfoOf(service);
  const String fileName = ProgramPath(u"\\config\\endpoints.ini");
  String base = Trim(TMemIniFile(fileName).ReadString(info.Section, u"Base", u""));
  if (base.empty()) base = info.DefaultBase;
  if (base.empty()) {
    throw EIdException(u"Keine Adresse für den Dienst " + String(info.Section) + u" eingestellt: in " + fileName +
                       u" fehlt im Abschnitt [" + info.Section + u"] der Schlüssel Base (z. B. Base=https://dienst.example)");
  }
  const bool web = StartsWithText(base, u"http://") || StartsWithText(base, u"https://");
  const size_t host = base.find(u"://") + 3;
  // A scheme, a host, perhaps a path; no blanks, no query, no fragment.
  if (!web || host >= base.size() || base[host] == u'/' || base.find_first_of(u" \t\r\n?#") != String::npos) {
    throw EIdException(u"Ungültige Adresse in " + fileName + u", [" + info.Section + u"] Base: " + base);
  }
  while (base.back() == u'/') base.pop_back();
  return base;
}

String ServiceUrl(TWebService service, const String& pathAndQuery) { return ServiceBase(service) + pathAndQuery; }

String ServiceHost(TWebService service) {
  const String base = ServiceBase(service);
  const size_t start = base.find(u"://") + 3;
  const size_t end = base.find(u'/', start);
  return base.substr(start, end == String::npos ? String::npos : end - start);
}
