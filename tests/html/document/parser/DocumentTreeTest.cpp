// Small HTML texts and the section trees the parser builds from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/html/document/parser/ParsedDocument.h"

namespace {

struct TreeCase {
  const char* Html;
  const char* Tree;
};

void ExpectTrees(const std::vector<TreeCase>& cases) {
  for (const TreeCase& c : cases) EXPECT_EQ(TreeOf(c.Html), c.Tree) << c.Html;
}

TEST(DocumentTree, BodyParagraphsAndHeadings) {
  ExpectTrees({
      {"Hello world", R"(body("Hello world"))"},
      {"<p>One<p>Two", R"(body(p("One") p("Two")))"},
      {"<p>a</p>  <p>b</p>", R"(body(p("a") p("b")))"},
      {"<p class=x id=Y>a", R"(body(p.x#y("a")))"},
      // Empty paragraphs collapse into one with the attributes of the last P.
      {"<p id=a><p id=b></p><p id=c>text", R"(body(p#c("text")))"},
      {"<h1>Title</h1>text", R"(body(h1("Title") "text"))"},
      {"<h2><center>Mid</center></h2>", R"(body(h2("Mid")))"},
      // A CENTER later in a heading ends it.
      {"<h3>a<center>b</center>", R"(body(h3("a") "b"))"},
      {"<h1>a<p>b</p>c</h1>d", R"(body(h1("a" p("b") "c") "d"))"},
      {"<h1>a<div>b</div></h1>", R"(body(h1("a" div("b"))))"},
      // Text before BODY goes with the provisional body; the BODY's attributes count.
      {"junk<body class=main>Text", R"(body("Text"))"},
      {"<p>a</p><body>b", R"(body(p("a") "b"))"},
      {"<html><head><title>T</title></head><body><p>x</body></html>", R"(body(p("x")))"},
  });
}

TEST(DocumentTree, Containers) {
  ExpectTrees({
      {"<div>a<div>b</div>c</div>d", R"(body(div("a" div("b") "c") "d"))"},
      {"<article>a</article><nav>b</nav><aside>c</aside><header>d</header><footer>e</footer><hgroup>f</hgroup>",
       R"(body(article("a") nav("b") aside("c") header("d") footer("e") hgroup("f")))"},
      // SECTION is no container: its content flows on.
      {"<section>a</section><section>b</section>", R"(body("ab"))"},
      {"<center>a</center>b", R"(body("a" "b"))"},
      {"<blockquote>q</blockquote>", R"(body(blockquote("q")))"},
      {"<address>x<p>y</address>z", R"(body(address("x" p("y")) "z"))"},
      {"<form>a</form><form>b<form>c</form>", R"(body(form("a") form("b") form("c")))"},
      {"<fieldset><legend>L</legend>c</fieldset>", R"(body(fieldset["L"]("c")))"},
      {"<legend>free</legend>", R"(body("free"))"},
      // A DIV inside an inline element makes no block.
      {"<span style='display:inline'>a<div style='display:inline'>b</div></span>", R"(body("a" "b"))"},
      {"a<hr>b", R"(body("a" hr "b"))"},
      {"a<page>b", R"(body("a" page "b"))"},
  });
}

TEST(DocumentTree, Lists) {
  ExpectTrees({
      {"<ul><li>one<li>two</ul>", R"(body(ul(li("one") li("two"))))"},
      {"<ol start=5><li>a<li>b<li value=10>c<li>d</ol>", R"(body(ol(li#5("a") li#6("b") li#10("c") li#11("d"))))"},
      {"<ol><li>a<ol><li>b</ol><li>c</ol>", R"(body(ol(li#1("a" ol(li#1("b"))) li#2("c"))))"},
      {"<dl><dt>term<dd>meaning</dl>", R"(body(dl(dt("term") dd("meaning"))))"},
      // An empty item keeps a no-break space for its marker.
      {"<ul><li></ul>", "body(ul(li(\"\xC2\xA0\")))"},
      // An item outside a list is ended by P.
      {"<li>x<p>y", R"(body(li("x") p("y")))"},
      {"<ul></ul>after", R"(body(ul() "after"))"},
      {"<ul><li>a<hr>b</ul>", R"(body(ul(li("a") hr "b")))"},
      {"<ul><li>a<div>b</div>c</ul>", R"(body(ul(li("a" div("b") "c"))))"},
  });
}

// Preformatted text belongs to the item it stands in, with what follows it up to the next
// item: directly after the item's text, after a paragraph of it, in a definition, in a
// nested list, and in an item outside any list.
TEST(DocumentTree, PreformattedTextStaysInItsListItem) {
  ExpectTrees({
      {"<ol><li>a<pre>x</pre>b<li>c</ol>", R"(body(ol(li#1("a" pre(pre"x") "b") li#2("c"))))"},
      {"<ul><li><p>a</p><pre>x\ny</pre><p>b</p><li>c</ul>",
       R"(body(ul(li(p("a") pre(pre"x" pre"y") p("b")) li("c"))))"},
      {"<dl><dt>t<dd>a<pre>x</pre>b<dt>u<dd>v</dl>", R"(body(dl(dt("t") dd("a" pre(pre"x") "b") dt("u") dd("v"))))"},
      {"<ol><li>a<ol><li>b<pre>x</pre>c<li>d</ol>e<li>f</ol>",
       R"(body(ol(li#1("a" ol(li#1("b" pre(pre"x") "c") li#2("d")) "e") li#2("f"))))"},
      {"<ul><li><pre>x</pre></ul>after", R"(body(ul(li(pre(pre"x"))) "after"))"},
      {"<li>a<pre>x</pre>b", R"(body(li("a" pre(pre"x") "b")))"},
      // A PRE that wraps only lends its font; its end tag does not end the item.
      {"<ul><li>a<pre wrap>x</pre>b<li>c</ul>", R"(body(ul(li("a" "xb") li("c"))))"},
  });
}

TEST(DocumentTree, InlineContent) {
  ExpectTrees({
      {"a <b>bold</b> <i>it</i>", R"(body("a bold it"))"},
      // The forced break ends the section's last line: it is not kept at its end.
      {"a<br>b", R"(body("a" "b"))"},
      {"<p>a<br><br>b", R"(body(p("a" "|" "b")))"},
      {"a<br clear=all>b", R"(body("a" "b"))"},
      {"<p>x<img src=none.png>y", R"(body(p("x[img]y")))"},
      {"<a href=x>link</a> text", R"(body("link text"))"},
      {"<a name=top></a><p>x", R"(body("" p("x")))"},
      {"a<wbr>b<nobr>c d</nobr>", R"(body("abc d"))"},
      {"a<script>document.write('<p>x')</script>b", R"(body("ab"))"},
      {"a<style>p{color:red}</style>b", R"(body("ab"))"},
      {"<!-- c -->a<!doctype html>b", R"(body("ab"))"},
      // A comment left open ends the document; what came before it stays, the run of text
      // it interrupts too.
      {"S1 before <!-- never closed", R"(body("S1 before"))"},
      {"<p>a <b>b</b> c<!-- open <p>d", R"(body(p("a b c")))"},
      {"<map name=m><area shape=rect coords=0,0,1,1 href=x></map>after", R"(body("after"))"},
      {"<object data=x>fallback</object>", R"(body("fallback"))"},
      {"<textarea>not text</textarea>after", R"(body("[control]after"))"},
  });
}

TEST(DocumentTree, Preformatted) {
  ExpectTrees({
      {"<pre>\na  b\n  c\n</pre>d", R"(body(pre(pre"a  b" pre"  c") "d"))"},
      {"<pre>x<b>y</b>&amp;<br>z</pre>", R"(body(pre(pre"xy&" pre"z")))"},
      {"<pre>a<p>b</p>c</pre>", R"(body(pre(pre"a" p(pre"b") pre"c")))"},
      {"<pre>a<table>", R"(body(pre(pre"a")))"},
      {"<pre wrap>a   b</pre>c", R"(body("a bc"))"},
      {"<pre>1 < 2</pre>", R"(body(pre(pre"1 < 2")))"},
  });
}

}  // namespace
