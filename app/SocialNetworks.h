// The networks of the social-signal analysis: how each is asked, which columns it fills
// from which answer lines, and what its live chart shows.
#pragma once

#include <vector>

#include "platform/net/ServiceEndpoints.h"
#include "platform/rtl/Types.h"

// Answer line (from 0, after ":", "," and "}" became line breaks) into grid column.
struct TAnswerColumn {
  int Line;
  int Column;
};

struct TLiveSlice {
  int Line;
  const char16_t* Label;
};

struct TSocialNetwork {
  int WaitMs;  // pause before each request
  std::vector<const char16_t*> Titles;  // row 0; their number is the column count
  TWebService Service;
  const char16_t* RequestPrefix;  // the request is prefix + encoded URL + suffix
  const char16_t* RequestSuffix;
  std::vector<TAnswerColumn> Columns;
  int ClearFirst, ClearLast;  // value columns emptied before the run (none when ClearLast < ClearFirst)
  // Live chart (none when ChartTitle is null).
  const char16_t* ChartTitle;
  const char16_t* SeriesTitle;
  std::vector<TLiveSlice> Slices;
  const char16_t* DoneStatus;
  const char16_t* ReportFolder;  // under the program folder
};

// In the order of the radio buttons Alles, Facebook, Twitter, google, Pinterest, Delicious.
const std::vector<TSocialNetwork>& SocialNetworks();
