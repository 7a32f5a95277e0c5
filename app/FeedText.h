// The text of a page feed as the page scraper reads it: the answer of the feed request,
// normalised so that every post's message, each like entry and each comment stand on lines
// of their own, and the request itself with its access token.
#pragma once

#include "platform/rtl/Types.h"

// Markers of the normalised feed text.
inline constexpr const char16_t* kMessageMarker = u"\"message\"";
inline constexpr const char16_t* kCommentMarker = u"\"can_remove\"";
inline constexpr const char16_t* kLikesMarker = u"\"likes\":";
inline constexpr const char16_t* kCommentsMarker = u"\"comments\"";
inline constexpr const char16_t* kPagingMarker = u"]\"paging\"";
inline constexpr const char16_t* kNextPageMarker = u"next\":\"http";
inline constexpr const char16_t* kMessageOpener = u"\"message\":\"";
inline constexpr const char16_t* kNameSeparator = u"\":\"";
inline constexpr const char16_t* kClosingQuote = u"\"}";
inline constexpr const char16_t* kPictureOpener = u"\"\"picture";
inline constexpr const char16_t* kIconOpener = u"\"icon\":\"";
inline constexpr const char16_t* kLinkMember = u"\"link\":";

// Replaces every "\uXXXX" escape (four hexadecimal digits, either case) by its character;
// a high and a low surrogate escape in a row give their one character, a lone surrogate
// gives U+FFFD. Escapes of characters that carry the feed's structure stay as they are:
// control characters (a decoded line break would split a post's line), the double quote
// and the backslash. "\\" is an escaped backslash, so the "u" after it starts no escape.
String DecodeUnicodeEscapes(const String& text);

// The feed text with line breaks after every "}", before every likes member and after
// every data list opener; commas before members and objects dropped, "\/" as "/", the
// "\u" escapes decoded and the empty privacy members removed.
String NormalizeFeedText(const String& feed);

// The address of the feed of a page (its name goes out percent-encoded), with the access
// token from the key AccessToken of the section [PageFeed] in the program folder's
// "\config\credentials.ini" (empty when not set: then the service refuses the request).
String PageFeedUrl(const String& page);
