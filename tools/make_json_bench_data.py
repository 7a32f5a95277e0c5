#!/usr/bin/env python3
"""Writes the JSON document the JSON benchmark parses (about 20 MB, fixed seed).

Usage: make_json_bench_data.py OUTPUT [SIZE_MB]

The document is a feed as web services answer it: a "data" list of posts, each with a
message (German, Cyrillic and CJK text, raw UTF-8 and \\u escapes, surrogate pairs for
emoji, escaped quotes and line breaks), numbers of every form (integers, negatives,
fractions, exponents), booleans and nulls, nested "likes" and "comments" with paging
objects, and some deeper nested lists. Write it into a build folder, not the repository.
"""

import json
import random
import sys

WORDS = [
    "Grüße", "aus", "Köln", "Straße", "Übertrag", "Bücher", "schön", "und", "der", "die",
    "das", "Messe", "Café", "naïve", "€", "Привет", "мир", "日本語", "テキスト", "中文",
    "data", "page", "link", "http://example.org/a?b=c&d=e", "\"quoted\"", "tab\there",
    "line\nbreak", "back\\slash", "😀", "🎉", "𝄞",
]


def text(rng, lo, hi):
    return " ".join(rng.choice(WORDS) for _ in range(rng.randint(lo, hi)))


def number(rng):
    kind = rng.randrange(5)
    if kind == 0:
        return rng.randint(0, 10**6)
    if kind == 1:
        return -rng.randint(0, 10**12)
    if kind == 2:
        return round(rng.uniform(-1000, 1000), rng.randint(1, 8))
    if kind == 3:
        return float(f"{rng.uniform(1, 10):.6f}e{rng.randint(-300, 300)}")
    return rng.randint(10**15, 10**18)


def person(rng, i):
    return {"id": str(10**14 + i), "name": text(rng, 1, 3)}


def post(rng, i):
    likes = [person(rng, rng.randrange(10**6)) for _ in range(rng.randint(0, 8))]
    comments = [
        {
            "id": f"{i}_{k}",
            "from": person(rng, rng.randrange(10**6)),
            "message": text(rng, 3, 25),
            "created_time": "2026-12-10T14:%02d:%02d+0000" % (rng.randrange(60), rng.randrange(60)),
            "like_count": rng.randint(0, 500),
            "user_likes": rng.random() < 0.3,
        }
        for k in range(rng.randint(0, 6))
    ]
    return {
        "id": f"1234567890_{i}",
        "from": person(rng, i),
        "message": text(rng, 5, 60),
        "type": rng.choice(["status", "link", "photo", "video"]),
        "privacy": {"value": rng.choice(["EVERYONE", "FRIENDS", "SELF"]), "description": None},
        "likes": {"data": likes, "paging": {"next": None if rng.random() < 0.5 else "https://example.org/next"}},
        "comments": {"data": comments, "count": len(comments)},
        "shares": {"count": rng.randint(0, 10**4)},
        "is_hidden": rng.random() < 0.1,
        "scores": [number(rng) for _ in range(rng.randint(0, 12))],
        "nested": [[rng.randint(0, 9), [number(rng), [None, True, [text(rng, 1, 2)]]]]],
    }


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    target = int(float(sys.argv[2]) * 1e6) if len(sys.argv) == 3 else 20_000_000
    rng = random.Random(20261210)
    parts = []
    size = 0
    i = 0
    while size < target:
        # Every other post keeps raw UTF-8, the rest escape everything beyond ASCII as \u.
        chunk = json.dumps(post(rng, i), ensure_ascii=(i % 2 == 1), indent=1 if i % 5 == 0 else None)
        parts.append(chunk)
        size += len(chunk.encode("utf-8")) + 2
        i += 1
    with open(sys.argv[1], "w", encoding="utf-8", newline="\n") as f:
        f.write('{"data": [\n')
        f.write(",\n".join(parts))
        f.write('\n], "paging": {"previous": null, "next": "https://example.org/page2"}}\n')
    print(f"{sys.argv[1]}: {i} posts")


if __name__ == "__main__":
    main()
