// The two hidden test requests of the text tab: an application-only tweet search and a
// form POST.
#include <memory>

#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "platform/net/HttpClient.h"
#include "platform/net/ServiceEndpoints.h"
#include "platform/rtl/IniFiles.h"

// The tweet search's credentials are not part of the program: they come from the section
// [TweetSearch] of the program folder's "\config\credentials.ini" (keys ConsumerKey,
// ConsumerSecret and BearerToken). Without them the request goes out without them, and
// the service refuses it.
void TForm1::Button29Click(TComponent*) {
  const TMemIniFile credentials(AppPath(u"\\config\\credentials.ini"));
  const String key = credentials.ReadString(u"TweetSearch", u"ConsumerKey", u"");
  const String secret = credentials.ReadString(u"TweetSearch", u"ConsumerSecret", u"");
  const String bearer = credentials.ReadString(u"TweetSearch", u"BearerToken", u"");
  text_ori->Lines().Add(EncodeBase64Text(key + u":" + secret));

  const auto client = std::make_unique<TIdHTTP>();
  client->Request.Host = ServiceHost(TWebService::TweetSearch);
  client->Request.CustomHeaders.push_back(u"GET /1.1/search/tweets.json?q=%23freebandnames HTTP/1.1");
  client->Request.CustomHeaders.push_back(u"\"User-Agent: DeriziRiraz-Uvidazad\"");
  client->Request.CustomHeaders.push_back(u"Authorization: Bearer " + bearer);
  client->Request.BasicAuthentication = true;
  client->Post(ServiceUrl(TWebService::TweetSearch, u"/1.1/search/tweets.json?q=%23freebandnames"), "");
  // The answer is dropped; the memo is loaded from the request's empty body stream.
  Memo1->Lines().Clear();
}

void TForm1::Button30Click(TComponent*) {
  // Address and body of the form POST; nothing sets them, so the request fails.
  const String address;
  const std::string body;
  const auto client = std::make_unique<TIdHTTP>();
  client->Request.ContentType = u"application/x-www-form-urlencoded; charset=utf-8";
  Memo1->Lines().Add(client->Post(address, body));
}
