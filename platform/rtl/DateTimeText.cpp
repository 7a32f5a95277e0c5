#include "platform/rtl/DateTimeText.h"

#include <cstdint>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/IntConvert.h"

namespace {

Char Upper(Char c) { return c >= u'a' && c <= u'z' ? static_cast<Char>(c - 32) : c; }

bool StartsWithNoCase(const String& s, size_t at, std::u16string_view what) {
  if (at + what.size() > s.size()) return false;
  for (size_t k = 0; k < what.size(); ++k)
    if (Upper(s[at + k]) != Upper(what[k])) return false;
  return true;
}

class DateTimeWriter {
 public:
  DateTimeWriter(TDateTime value, const TFormatSettings& fs) : value_(value), fs_(fs) {
    DecodeDate(value, year_, month_, day_);
    DecodeTime(value, hour_, minute_, second_, msec_);
  }

  String Run(const String& format) {
    Append(format.empty() ? String(u"c") : format, 0);
    return out_;
  }

 private:
  void Number(int value, int digits) {
    String text = IntToStr(value);
    if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<size_t>(digits) - text.size(), u'0');
    out_ += text;
  }

  // The nested formats of the settings are expanded one level deep, so that a format that
  // names itself cannot recurse.
  void Nested(const String& format, int depth) {
    if (depth < 2) Append(format, depth + 1);
  }

  // True when an am/pm marker follows position i outside quoted text.
  static bool TwelveHourFrom(const String& f, size_t i) {
    while (i < f.size()) {
      const Char c = f[i];
      if (c == u'"' || c == u'\'') {
        const size_t close = f.find(c, i + 1);
        if (close == String::npos) return false;
        i = close + 1;
      } else if (StartsWithNoCase(f, i, u"am/pm") || StartsWithNoCase(f, i, u"a/p") || StartsWithNoCase(f, i, u"ampm")) {
        return true;
      } else {
        ++i;
      }
    }
    return false;
  }

  void Append(const String& f, int depth) {
    Char last = 0;
    size_t i = 0;
    while (i < f.size()) {
      const Char c = f[i];
      Char token = Upper(c);
      size_t count = 1;
      if (token >= u'A' && token <= u'Z') {
        while (i + count < f.size() && Upper(f[i + count]) == token) ++count;
        if (token == u'M' && last == u'H') token = u'N';
        last = token;
      }
      switch (token) {
        case u'"':
        case u'\'': {
          const size_t close = f.find(c, i + 1);
          const size_t end = close == String::npos ? f.size() : close;
          out_.append(f, i + 1, end - i - 1);
          i = close == String::npos ? f.size() : close + 1;
          continue;
        }
        case u'/': out_ += fs_.DateSeparator; break;
        case u':': out_ += fs_.TimeSeparator; break;
        case u'C':
          Nested(fs_.ShortDateFormat, depth);
          if (hour_ != 0 || minute_ != 0 || second_ != 0 || msec_ != 0) {
            out_ += u' ';
            Nested(fs_.LongTimeFormat, depth);
          }
          break;
        case u'D':
          if (count <= 2) Number(day_, static_cast<int>(count));
          else if (count == 3) out_ += fs_.ShortDayNames[static_cast<size_t>(DayOfWeek(value_) - 1)];
          else if (count == 4) out_ += fs_.LongDayNames[static_cast<size_t>(DayOfWeek(value_) - 1)];
          else if (count == 5) Nested(fs_.ShortDateFormat, depth);
          else Nested(fs_.LongDateFormat, depth);
          break;
        case u'M':
          if (count <= 2) Number(month_, static_cast<int>(count));
          else if (month_ == 0) break;
          else if (count == 3) out_ += fs_.ShortMonthNames[month_ - 1u];
          else out_ += fs_.LongMonthNames[month_ - 1u];
          break;
        case u'Y':
          if (count <= 2) Number(year_ % 100, 2);
          else Number(year_, 4);
          break;
        case u'H': {
          int hour = hour_;
          if (TwelveHourFrom(f, i + count)) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          Number(hour, count >= 2 ? 2 : 1);
          break;
        }
        case u'N': Number(minute_, count >= 2 ? 2 : 1); break;
        case u'S': Number(second_, count >= 2 ? 2 : 1); break;
        case u'Z': Number(msec_, count >= 3 ? 3 : 1); break;
        case u'T': Nested(count == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth); break;
        case u'A': {
          const bool pm = hour_ >= 12;
          if (StartsWithNoCase(f, i, u"am/pm")) {
            out_.append(f, i + (pm ? 3 : 0), 2);
            i += 5;
          } else if (StartsWithNoCase(f, i, u"a/p")) {
            out_ += f[i + (pm ? 2 : 0)];
            i += 3;
          } else if (StartsWithNoCase(f, i, u"ampm")) {
            out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
            i += 4;
          } else {
            out_ += c;
            ++i;
          }
          continue;
        }
        default:
          out_.append(f, i, count);
          break;
      }
      i += count;
    }
  }

  TDateTime value_;
  const TFormatSettings& fs_;
  uint16_t year_, month_, day_, hour_, minute_, second_, msec_;
  String out_;
};

}  // namespace

String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings) {
  return DateTimeWriter(value, settings).Run(format);
}

String DateToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime(u"ddddd", value, settings); }

String TimeToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime(u"tt", value, settings); }

String DateTimeToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime(u"c", value, settings); }
