// An analysis of all networks against a local server, whose report the report tab shows.
#pragma once

#include "tests/app/AppFixture.h"

struct ReportTab : AppFixture {
  // Every service answers the same counts for a URL: 100 x its number + the line number.
  void RunAllNetworks(int urls) {
    auto responder = [](const TRecordedRequest& request) {
      const std::string about = request.Params.count("url") ? request.Params.at("url") : "";
      const size_t at = about.find("/p");
      const int n = at == std::string::npos ? 0 : std::atoi(about.c_str() + at + 2);
      std::string answer;
      for (int line = 0; line <= 31; ++line) answer += (line ? ":" : "") + std::to_string(n * 100 + line);
      return THttpAnswer(answer);
    };
    for (const char* path : {"/", "/fql", "/1/urls/count.json"}) Server().Answer(path, responder);
    home.PointServicesAt(Server().BaseUrl());
    Start();
    std::vector<std::string> rows{"Nummer|URL"};
    for (int i = 1; i <= urls; ++i) rows.push_back(std::to_string(i) + "|http://site.example/p" + std::to_string(i));
    FillGrid(*Form1->StringGrid1, rows);
    Form1->projekte->UserSetText(u"shop");
    Form1->Alles->SetChecked(true);
    Form1->Button2->Click();
  }
};
