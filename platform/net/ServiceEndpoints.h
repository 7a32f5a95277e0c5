// The outside web services the application talks to, and where each one is reached.
//
// Every service has a built-in base address (scheme, host and optional port, optionally a
// path prefix). The program folder's "\config\endpoints.ini" may override it per service:
// a section named after the service with the key Base, e.g.
//
//   [Suggest]
//   Base=http://127.0.0.1:8080
//
// The file is read at every lookup, so a change takes effect with the next request.
#pragma once

#include <span>

#include "platform/rtl/Types.h"

enum class TWebService {
  ShareCount,      // share counts per URL: "/?url="
  GraphApi,        // link statistics query: "/fql?q="
  TweetCount,      // tweet counts per URL: "/1/urls/count.json?url="
  Suggest,         // search suggestions: "/complete/search?output=toolbar&q="
  Trends,          // rising queries: "/trends/fetchComponent?hl=de-DE&q="
  ActivitySearch,  // hashtag activity search: "/plus/v1/activities?orderBy="
  SeoService,      // keyword report of a domain: "/index.php?key="
  PageFeed,        // posts of a page: "/<page>/feed?access_token="
  TweetSearch,     // tweet search: "/1.1/search/tweets.json?q="
};

struct TWebServiceInfo {
  TWebService Service;
  const char16_t* Section;      // section name in endpoints.ini
  const char16_t* DefaultBase;  // built-in base address; empty: the service must be configured
};

// Every service, in the order of TWebService.
std::span<const TWebServiceInfo> WebServices();

// The ini section of a service, e.g. "Suggest".
String ServiceSection(TWebService service);

// The base address in force, without a trailing "/": the file's Base when it is set, the
// built-in one otherwise. A Base that is not an http:// or https:// address raises
// EIdException naming the file, the section and the value; so does a service without a
// built-in address whose Base is not set, naming the file, the section and the key.
String ServiceBase(TWebService service);

// ServiceBase(service) + pathAndQuery, e.g. ServiceUrl(TWebService::ShareCount, u"/?url=" + url).
String ServiceUrl(TWebService service, const String& pathAndQuery);

// The host (with its port when the base names one) of the base address in force, for a
// request's Host header.
String ServiceHost(TWebService service);
