// The standard cases of the JSON parsing test suites (y_: must parse, n_: must be refused,
// i_: the parser's choice), written out by name since no package on the machine ships the
// files. Texts are the documents' bytes, handed over one byte per character; the expected
// result is the Dump of the tree ("none": no tree).
//
// The reader's grammar is lenient by design: commas are optional, a trailing comma is
// allowed, numbers may have a "+" sign and leading zeros, unknown escapes are dropped (a
// multi-byte character after the backslash stays whole), every control character counts
// as blank, a \u escape cut short by the end of the string reads the digits there are,
// and nothing after the first complete value is looked at. The n_
// cases that this grammar accepts are listed apart, each with the tree it gives.

#include <gtest/gtest.h>

#include <string>

#include "json/QxJSONParser.h"
#include "tests/json/JsonDump.h"

using namespace std::string_literals;

namespace {

struct SuiteCase {
  const char* name;
  std::string text;
  std::string expected;
};

template <size_t N>
void CheckAll(const SuiteCase (&cases)[N]) {
  for (const auto& c : cases)
    EXPECT_EQ(Dump(TqxJSON::ParseDocument(Bytes(c.text)).get()), c.expected) << c.name;
}

std::string Repeat(const std::string& s, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += s;
  return out;
}

}  // namespace

TEST(JsonTestSuite, AcceptedDocumentsParse) {
  const SuiteCase cases[] = {
      {"y_array_arraysWithSpaces", "[[]   ]", "[[]]"},
      {"y_array_empty-string", R"([""])", R"([""])"},
      {"y_array_heterogeneous", R"([null, 1, "1", {}])", R"([null,1,"1",{}])"},
      {"y_array_with_1_and_newline", "[1\n]", "[1]"},
      {"y_array_with_several_null", "[1,null,null,null,2]", "[1,null,null,null,2]"},
      {"y_array_with_trailing_space", "[2] ", "[2]"},
      {"y_number", "[123e65]", "[1.23e+67]"},
      {"y_number_0e+1", "[0e+1]", "[0]"},
      {"y_number_after_space", "[ 4]", "[4]"},
      {"y_number_double_close_to_zero", "[-0." + std::string(77, '0') + "1]", "[-1e-78]"},
      {"y_number_int_with_exp", "[20e1]", "[200]"},
      {"y_number_minus_zero", "[-0]", "[-0]"},
      {"y_number_negative_int", "[-123]", "[-123]"},
      {"y_number_real_capital_e", "[1E22]", "[1e+22]"},
      {"y_number_real_capital_e_neg_exp", "[1E-2]", "[0.01]"},
      {"y_number_real_capital_e_pos_exp", "[1E+2]", "[100]"},
      {"y_number_real_fraction_exponent", "[123.456e78]", "[1.23456e+80]"},
      {"y_number_simple_real", "[123.456789]", "[123.456789]"},
      {"y_object", R"({"asd":"sdf", "dfg":"fgh"})", R"({"asd":"sdf","dfg":"fgh"})"},
      {"y_object_duplicated_key", R"({"a":"b","a":"c"})", R"({"a":"b","a":"c"})"},
      {"y_object_empty_key", R"({"":0})", R"({"":0})"},
      {"y_object_escaped_null_in_key", R"({"foo\u0000bar": 42})", "{\"foo\0bar\":42}"s},
      {"y_object_extreme_numbers", R"({ "min": -1.0e+28, "max": 1.0e+28 })", R"({"min":-1e+28,"max":1e+28})"},
      {"y_object_simple", R"({"a":[]})", R"({"a":[]})"},
      {"y_object_string_unicode", R"({"title":"\u041f\u043e\u043b\u0442\u043e\u0440\u0430" })",
       R"({"title":"Полтора"})"},
      {"y_object_with_newlines", "{\n\"a\": \"b\"\n}", R"({"a":"b"})"},
      {"y_string_1_2_3_bytes_UTF-8_sequences", R"(["\u0060\u012a\u12AB"])", "[\"`Īካ\"]"},
      {"y_string_accepted_surrogate_pair", R"(["\uD801\udc37"])", "[\"𐐷\"]"},
      {"y_string_accepted_surrogate_pairs", R"(["\ud83d\ude39\ud83d\udc8d"])", "[\"😹💍\"]"},
      {"y_string_allowed_escapes", R"(["\"\\\/\b\f\n\r\t"])", "[\"\"\\/\b\f\n\r\t\"]"},
      {"y_string_backslash_and_u_escaped_zero", R"(["\\u0000"])", R"(["\u0000"])"},
      {"y_string_comments", R"(["a/*b*/c/*d//e"])", R"(["a/*b*/c/*d//e"])"},
      {"y_string_double_escape_n", R"(["\\n"])", R"(["\n"])"},
      {"y_string_escaped_control_character", R"(["\u0012"])", "[\"\x12\"]"},
      {"y_string_escaped_noncharacter", R"(["\uFFFF"])", "[\"\xEF\xBF\xBF\"]"},
      {"y_string_last_surrogates_1_and_2", R"(["\uDBFF\uDFFF"])", "[\"\xF4\x8F\xBF\xBF\"]"},
      {"y_string_nonCharacterInUTF-8_U+10FFFF", "[\"\xF4\x8F\xBF\xBF\"]", "[\"\xF4\x8F\xBF\xBF\"]"},
      {"y_string_null_escape", R"(["\u0000"])", "[\"\0\"]"s},
      {"y_string_pi", "[\"π\"]", "[\"π\"]"},
      {"y_string_reservedCharacterInUTF-8_U+1BFFF", "[\"\xF0\x9B\xBF\xBF\"]", "[\"\xF0\x9B\xBF\xBF\"]"},
      {"y_string_space", "\" \"", "\" \""},
      {"y_string_u+2028_line_sep", "[\"\xE2\x80\xA8\"]", "[\"\xE2\x80\xA8\"]"},
      {"y_string_uEscape", R"(["\u0061\u30af\u30EA\u30b9"])", "[\"aクリス\"]"},
      {"y_string_unescaped_char_delete", "[\"\x7F\"]", "[\"\x7F\"]"},
      {"y_string_unicodeEscapedBackslash", R"(["\u005C"])", R"(["\"])"},
      {"y_string_unicode_escaped_double_quote", R"(["\u0022"])", R"(["""])"},
      {"y_string_unicode_U+10FFFE_nonchar", R"(["\uDBFF\uDFFE"])", "[\"\xF4\x8F\xBF\xBE\"]"},
      {"y_string_utf8", "[\"€𝄞\"]", "[\"€𝄞\"]"},
      {"y_structure_lonely_false", "false", "false"},
      {"y_structure_lonely_int", "42", "42"},
      {"y_structure_lonely_negative_real", "-0.1", "-0.1"},
      {"y_structure_lonely_null", "null", "null"},
      {"y_structure_lonely_string", R"("asd")", R"("asd")"},
      {"y_structure_string_empty", R"("")", R"("")"},
      {"y_structure_trailing_newline", "[\"a\"]\n", R"(["a"])"},
      {"y_structure_whitespace_array", " [] ", "[]"},
  };
  CheckAll(cases);
}

TEST(JsonTestSuite, RefusedDocumentsGiveNoTree) {
  const SuiteCase cases[] = {
      {"n_array_a_invalid_utf8", "[a\xE5]", "none"},
      {"n_array_colon_instead_of_comma", R"(["": 1])", "none"},
      {"n_array_comma_and_number", "[,1]", "none"},
      {"n_array_double_comma", "[1,,2]", "none"},
      {"n_array_double_extra_comma", R"(["x",,])", "none"},
      {"n_array_incomplete", R"(["x")", "none"},
      {"n_array_incomplete_invalid_value", "[x", "none"},
      {"n_array_invalid_utf8", "[\xFF]", "none"},
      {"n_array_items_separated_by_semicolon", "[1:2]", "none"},
      {"n_array_just_comma", "[,]", "none"},
      {"n_array_just_minus", "[-]", "none"},
      {"n_array_missing_value", R"([   , ""])", "none"},
      {"n_array_newlines_unclosed", "[\"a\",\n4\n,1,", "none"},
      {"n_array_number_and_several_commas", "[1,,]", "none"},
      {"n_array_star_inside", "[*]", "none"},
      {"n_array_unclosed_with_object_inside", "[{}", "none"},
      {"n_incomplete_false", "[fals]", "none"},
      {"n_incomplete_null", "[nul]", "none"},
      {"n_incomplete_true", "[tru]", "none"},
      {"n_number_++", "[++1234]", "none"},
      {"n_number_+Inf", "[+Inf]", "none"},
      {"n_number_-1.0.", "[-1.0.]", "none"},
      {"n_number_-2.", "[-2.]", "none"},
      {"n_number_-NaN", "[-NaN]", "none"},
      {"n_number_.-1", "[.-1]", "none"},
      {"n_number_.2e-3", "[.2e-3]", "none"},
      {"n_number_0.1.2", "[0.1.2]", "none"},
      {"n_number_0.3e+", "[0.3e+]", "none"},
      {"n_number_0.e1", "[0.e1]", "none"},
      {"n_number_0_capital_E", "[0E]", "none"},
      {"n_number_1.0e-", "[1.0e-]", "none"},
      {"n_number_1eE2", "[1eE2]", "none"},
      {"n_number_2.e+3", "[2.e+3]", "none"},
      {"n_number_Inf", "[Inf]", "none"},
      {"n_number_NaN", "[NaN]", "none"},
      {"n_number_U+FF11_fullwidth_digit_one", "[\xEF\xBC\x91]", "none"},
      {"n_number_hex_2_digits", "[0x42]", "none"},
      {"n_number_infinity", "[Infinity]", "none"},
      {"n_number_invalid+-", "[0e+-1]", "none"},
      {"n_number_invalid-negative-real", "[-123.123foo]", "none"},
      {"n_number_minus_infinity", "[-Infinity]", "none"},
      {"n_number_minus_space_1", "[- 1]", "none"},
      {"n_number_neg_real_without_int_part", "[-.123]", "none"},
      {"n_number_real_garbage_after_e", "[1ea]", "none"},
      {"n_number_with_alpha_char", "[1.8011670033376514H-308]", "none"},
      {"n_object_bad_value", R"(["x", truth])", "none"},
      {"n_object_bracket_key", R"({[: "x"})", "none"},
      {"n_object_comma_instead_of_colon", R"({"x", null})", "none"},
      {"n_object_double_colon", R"({"x"::"b"})", "none"},
      {"n_object_emoji", "{\xF0\x9F\x87\xA8\xF0\x9F\x87\xAD}", "none"},
      {"n_object_garbage_at_end", R"({"a":"a" 123})", "none"},
      {"n_object_key_with_single_quotes", "{key: 'value'}", "none"},
      {"n_object_missing_colon", R"({"a" b})", "none"},
      {"n_object_missing_key", R"({:"b"})", "none"},
      {"n_object_missing_semicolon", R"({"a" "b"})", "none"},
      {"n_object_missing_value", R"({"a":)", "none"},
      {"n_object_non_string_key", "{1:1}", "none"},
      {"n_object_non_string_key_but_huge_number_instead", "{9999E9999:1}", "none"},
      {"n_object_repeated_null_null", "{null:null,null:null}", "none"},
      {"n_object_several_trailing_commas", R"({"id":0,,,,,})", "none"},
      {"n_object_single_quote", "{'a':0}", "none"},
      {"n_object_two_commas_in_a_row", R"({"a":"b",,"c":"d"})", "none"},
      {"n_object_unterminated-value", R"({"a":"a)", "none"},
      {"n_object_with_single_string", R"({ "foo" : "bar", "a" })", "none"},
      {"n_single_space", " ", "none"},
      {"n_string_1_surrogate_then_escape", R"(["\uD800\"])", "none"},
      {"n_string_1_surrogate_then_escape_u", R"(["\uD800\u"])", "none"},
      {"n_string_1_surrogate_then_escape_u1x", R"(["\uD800\u1x"])", "none"},
      {"n_string_accentuated_char_no_quotes", "[é]", "none"},
      {"n_string_escaped_backslash_bad", R"(["\\\"])", "none"},
      {"n_string_incomplete_escape", R"(["\"])", "none"},
      {"n_string_invalid-utf-8-in-escape", "[\"\\u\xE5\"]", "none"},
      {"n_string_invalid_unicode_escape", R"(["\uqqqq"])", "none"},
      {"n_string_leading_uescaped_thinspace", R"([\u0020"asd"])", "none"},
      {"n_string_no_quotes_with_bad_escape", R"([\n])", "none"},
      {"n_string_single_doublequote", "\"", "none"},
      {"n_string_single_quote", "['single quote']", "none"},
      {"n_string_single_string_no_double_quotes", "abc", "none"},
      {"n_string_start_escape_unclosed", "[\"\\", "none"},
      {"n_structure_100000_opening_arrays", std::string(100000, '['), "none"},
      {"n_structure_angle_bracket_.", "<.>", "none"},
      {"n_structure_angle_bracket_null", "[<null>]", "none"},
      {"n_structure_array_with_unclosed_string", R"(["asd])", "none"},
      {"n_structure_ascii-unicode-identifier", "a\xC3\xA5", "none"},
      {"n_structure_capitalized_True", "[True]", "none"},
      {"n_structure_comma_instead_of_closing_brace", R"({"x": true,)", "none"},
      {"n_structure_end_array", "]", "none"},
      {"n_structure_incomplete_UTF8_BOM", "\xEF\xBB{}", "none"},
      {"n_structure_lone-invalid-utf-8", "\xE5", "none"},
      {"n_structure_lone-open-bracket", "[", "none"},
      {"n_structure_no_data", "", "none"},
      {"n_structure_object_unclosed_no_value", R"({"":)", "none"},
      {"n_structure_object_with_comment", R"({"a":/*comment*/"b"})", "none"},
      {"n_structure_open_array_apostrophe", "['", "none"},
      {"n_structure_open_array_open_object", "[{", "none"},
      {"n_structure_open_array_string", R"(["a")", "none"},
      {"n_structure_open_object", "{", "none"},
      {"n_structure_open_object_close_array", "{]", "none"},
      {"n_structure_open_object_comma", "{,", "none"},
      {"n_structure_open_object_open_string", R"({"a)", "none"},
      {"n_structure_open_open", Repeat(R"(["\{[)", 3), "none"},
      {"n_structure_single_star", "*", "none"},
      {"n_structure_U+2060_word_joined", "[\xE2\x81\xA0]", "none"},
      {"n_structure_uescaped_LF_before_string", R"([\u000A""])", "none"},
      {"n_structure_unclosed_array_partial_null", "[ false, nul", "none"},
      {"n_structure_unclosed_array_unfinished_true", "[ false, tru", "none"},
      {"n_structure_unclosed_object", R"({"asd":"asd")", "none"},
      {"n_structure_UTF8_BOM_no_data", "\xEF\xBB\xBF", "none"},
  };
  CheckAll(cases);
}

// Refused by strict readers, accepted by the lenient grammar on purpose.
TEST(JsonTestSuite, LenientGrammarAcceptsSomeRefusedDocuments) {
  const SuiteCase cases[] = {
      // Commas are optional and a trailing comma is allowed.
      {"n_array_1_true_without_comma", "[1 true]", "[1,true]"},
      {"n_array_extra_comma", R"(["",])", R"([""])"},
      {"n_array_inner_array_no_comma", "[3[4]]", "[3,[4]]"},
      {"n_array_number_and_comma", "[1,]", "[1]"},
      {"n_number_1_000", "[1 000.0]", "[1,0]"},
      {"n_number_expression", "[1+2]", "[1,2]"},  // "+2" is a number of its own
      {"n_object_trailing_comma", R"({"id":0,})", R"({"id":0})"},
      {"n_object_lone_continuation_byte_in_key_and_trailing_comma", "{\"\xB9\":\"0\",}",
       "{\"\xC2\xB9\":\"0\"}"},  // the byte that starts no sequence stays a character
      // "+" signs and leading zeros.
      {"n_number_+1", "[+1]", "[1]"},
      {"n_number_-01", "[-01]", "[-1]"},
      {"n_number_neg_int_starting_with_zero", "[-012]", "[-12]"},
      {"n_number_with_leading_zero", "[012]", "[12]"},
      // Unknown escapes are dropped with their backslash.
      {"n_string_backslash_00", "[\"\\\0\"]"s, R"([""])"},
      {"n_string_escape_x", R"(["\x00"])", R"(["00"])"},
      {"n_string_escaped_ctrl_char_tab", "[\"\\\t\"]", R"([""])"},
      {"n_string_invalid_backslash_esc", R"(["\a"])", R"([""])"},
      {"n_string_invalid_utf8_after_escape", "[\"\\\xE5\"]", R"([""])"},
      {"n_string_unicode_CapitalU", R"("\UA66D")", R"("A66D")"},
      // An unknown escape before a multi-byte character keeps the whole character.
      {"n_string_escaped_emoji", "[\"\\\xF0\x9F\x8C\x80\"]", "[\"\xF0\x9F\x8C\x80\"]"},
      // A \u escape cut short by the end of the string reads the digits there are.
      {"n_string_1_surrogate_then_escape_u1", R"(["\uD800\u1"])", "[\"\xEF\xBF\xBD\x01\"]"},
      {"n_string_incomplete_escaped_character", R"(["\u00A"])", "[\"\n\"]"},
      {"n_string_incomplete_surrogate", R"(["\uD834\uDd"])", "[\"\xEF\xBF\xBDÝ\"]"},
      {"n_string_incomplete_surrogate_escape_invalid", R"(["\uD800\uD800\x"])",
       "[\"\xEF\xBF\xBD\xEF\xBF\xBD\"]"},
      // Control characters are blanks between values and plain characters inside strings.
      {"n_string_unescaped_ctrl_char", "[\"a\0a\"]"s, "[\"a\0a\"]"s},
      {"n_string_unescaped_newline", "[\"new\nline\"]", "[\"new\nline\"]"},
      {"n_string_unescaped_tab", "[\"\t\"]", "[\"\t\"]"},
      {"n_structure_null-byte-outside-string", "[\0]"s, "[]"},
      {"n_structure_whitespace_formfeed", "[\f]", "[]"},
      // Nothing after the first complete value is looked at.
      {"n_array_comma_after_close", R"([""],)", R"([""])"},
      {"n_array_extra_close", R"(["x"]])", R"(["x"])"},
      {"n_multidigit_number_then_00", "123\0"s, "123"},
      {"n_object_trailing_comment", R"({"a":"b"}/**/)", R"({"a":"b"})"},
      {"n_object_trailing_comment_slash_open_incomplete", R"({"a":"b"}/)", R"({"a":"b"})"},
      {"n_object_with_trailing_garbage", R"({"a":"b"}#)", R"({"a":"b"})"},
      {"n_string_with_trailing_garbage", R"(""x)", R"("")"},
      {"n_structure_array_trailing_garbage", "[1]x", "[1]"},
      {"n_structure_close_unopened_array", "1]", "1"},
      {"n_structure_double_array", "[][]", "[]"},
      {"n_structure_number_with_trailing_garbage", "2@", "2"},
      {"n_structure_object_followed_by_closing_object", "{}}", "{}"},
      {"n_structure_object_with_trailing_garbage", R"({"a": true} "x")", R"({"a":true})"},
      {"n_structure_trailing_#", R"({"a":"b"}#{})", R"({"a":"b"})"},
  };
  CheckAll(cases);
}

// What the reader chooses where the suites leave it open: numbers beyond the extended range
// refuse the document, tiny ones become 0; lone surrogate escapes become U+FFFD; bytes that
// form no UTF-8 sequence stay the characters they came as.
TEST(JsonTestSuite, ImplementationDefinedChoices) {
  const SuiteCase cases[] = {
      {"i_number_double_huge_neg_exp", "[123.456e-789]", "[1.23456e-787]"},
      {"i_number_huge_exp", "[0.4e00669999999999999999999999999999999999999999999999999]", "none"},
      {"i_number_neg_int_huge_exp", "[-1e+9999]", "none"},
      {"i_number_real_pos_overflow", "[123123e100000]", "none"},
      {"i_number_real_underflow", "[123e-10000000]", "[0]"},
      {"i_number_too_big_neg_int", "[-123123123123123123123123123123]", "[-1.23123123123123e+29]"},
      {"i_number_very_big_negative_int", "[-237462374673276894279832749832423479823246327846]",
       "[-2.37462374673277e+47]"},
      {"i_object_key_lone_2nd_surrogate", R"({"\uDFAA":0})", "{\"\xEF\xBF\xBD\":0}"},
      {"i_string_1st_surrogate_but_2nd_missing", R"(["\uDADA"])", "[\"\xEF\xBF\xBD\"]"},
      {"i_string_1st_valid_surrogate_2nd_invalid", R"(["\uD888\u1234"])", "[\"\xEF\xBF\xBDሴ\"]"},
      {"i_string_incomplete_surrogate_and_escape_valid", R"(["\uD800\n"])", "[\"\xEF\xBF\xBD\n\"]"},
      {"i_string_inverted_surrogates_U+1D11E", R"(["\uDd1e\uD834"])", "[\"\xEF\xBF\xBD\xEF\xBF\xBD\"]"},
      {"i_string_invalid_surrogate", R"(["\ud800abc"])", "[\"\xEF\xBF\xBD" "abc\"]"},
      {"i_string_UTF-8_invalid_sequence", "[\"日ш\xFA\"]", "[\"日ш\xC3\xBA\"]"},
      {"i_string_UTF8_surrogate_U+D800", "[\"\xED\xA0\x80\"]", "[\"\xC3\xAD\xC2\xA0\xC2\x80\"]"},
      {"i_string_invalid_utf-8", "[\"\xFF\"]", "[\"\xC3\xBF\"]"},
      {"i_string_iso_latin_1", "[\"\xE9\"]", "[\"é\"]"},
      {"i_string_lone_utf8_continuation_byte", "[\"\x81\"]", "[\"\xC2\x81\"]"},
      {"i_string_not_in_unicode_range", "[\"\xF4\xBF\xBF\xBF\"]", "[\"\xC3\xB4\xC2\xBF\xC2\xBF\xC2\xBF\"]"},
      {"i_string_overlong_sequence_2_bytes", "[\"\xC0\xAF\"]", "[\"\xC3\x80\xC2\xAF\"]"},
      {"i_string_truncated-utf-8", "[\"\xE0\xFF\"]", "[\"\xC3\xA0\xC3\xBF\"]"},
      {"i_string_UTF-16LE_with_BOM", "\xFF\xFE[\0\"\0\xE9\0\"\0]\0"s, "none"},
      {"i_structure_500_nested_arrays", std::string(500, '[') + std::string(500, ']'),
       Repeat("[", 500) + Repeat("]", 500)},
      {"i_structure_UTF-8_BOM_empty_object", "\xEF\xBB\xBF{}", "{}"},
  };
  CheckAll(cases);
}
