#!/usr/bin/python3
"""Turns the manual's Markdown chapters into HTML.

    build-html.py SOURCE_DIR OUTPUT_DIR

writes OUTPUT_DIR/<chapter>.html for each chapter (the pages the program
embeds and the Debian package installs; pictures stay beside them as
imagens/*.png) and OUTPUT_DIR/Manual.html, every chapter in one file with the
pictures inside it, for a system without the program's help window.

The chapters' order is that of index.md's numbered list. A link to a chapter,
a heading or a picture that does not exist fails the build: the program opens
the manual at headings by their ids, so a renamed heading must not go unnoticed.
"""
import base64
import pathlib
import re
import sys

import markdown

# Heading ids come from toc's slugify ("Verificação falhou!" becomes
# "verificacao-falhou"); the program links to them by those names.
EXTENSIONS = ["tables", "toc", "fenced_code"]
HEADING = re.compile(r'<h([1-6]) id="([^"]*)">(.*?)</h\1>', re.S)
LINK = re.compile(r'(<a href=|<img alt="[^"]*" src=)"([^"]*)"')
CHAPTER_ITEM = re.compile(r"^\d+\. \[[^]]*\]\(([a-z0-9-]+)\.md[)#]", re.M)  # "3. [Title](x.md)"

# QTextBrowser reads only a subset of CSS; the table attributes below give
# borders and padding there as well as in a browser.
STYLE = """body { font-family: sans-serif; line-height: 1.4; max-width: 60em; }
h1, h2, h3 { color: #1d3f6e; }
table { border-collapse: collapse; margin: 0.5em 0; }
th { background-color: #e8edf3; text-align: left; }
th, td { border: 1px solid #a0a8b0; padding: 4px 6px; vertical-align: top; }
pre { background-color: #f3f3f3; padding: 6px; }
p.nav { background-color: #e8edf3; padding: 4px; }
img { max-width: 100%; }"""


def page(title, body):
    return (f'<!DOCTYPE html>\n<html lang="pt-BR">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{title}</title>\n<style>\n{STYLE}\n</style>\n</head>\n<body>\n{body}\n</body>\n</html>\n")


def convert(path):
    """The chapter's HTML body, its title and the ids of its headings."""
    body = markdown.markdown(path.read_text(encoding="utf-8"), extensions=EXTENSIONS)
    body = body.replace("<table>", '<table border="1" cellspacing="0" cellpadding="4">')
    body = body.replace("\n</code></pre>", "</code></pre>")  # QTextBrowser shows the last newline as a line
    headings = HEADING.findall(body)
    if not headings or headings[0][0] != "1":
        sys.exit(f"{path.name}: a chapter starts with a '# ' heading")
    title = re.sub(r"<[^>]+>", "", headings[0][2])
    return body, title, {h[1] for h in headings}


def main(source, output):
    source, output = pathlib.Path(source), pathlib.Path(output)
    order = ["index"]
    for name in CHAPTER_ITEM.findall((source / "index.md").read_text(encoding="utf-8")):
        if name not in order:
            order.append(name)
    on_disk = {p.stem for p in source.glob("*.md")}
    errors = [f"index.md: no chapter {n}.md" for n in order if n not in on_disk]
    errors += [f"{n}.md: not in index.md's list of chapters" for n in sorted(on_disk - set(order))]
    if errors:
        sys.exit("\n".join(errors))
    chapters = {name: convert(source / f"{name}.md") for name in order}

    def check(name, target):
        """The error for a broken link, or None."""
        if re.match(r"(https?|mailto):", target):
            return None
        if target.startswith("imagens/") and "/" not in target[8:]:
            return None if (source / target).is_file() else f"{name}.md: no picture {target}"
        chapter, _, anchor = target.partition("#")
        if chapter:
            if not chapter.endswith(".md") or chapter[:-3] not in chapters:
                return f"{name}.md: link to {target}: no such chapter"
            chapter = chapter[:-3]
        else:
            chapter = name
        if anchor and anchor not in chapters[chapter][2]:
            return f"{name}.md: link to {target}: {chapter}.md has no heading with that id"
        return None

    errors = [e for name, (body, _, _) in chapters.items() for _, t in LINK.findall(body) if (e := check(name, t))]
    if errors:
        sys.exit("broken links in the manual:\n" + "\n".join(errors))

    output.mkdir(parents=True, exist_ok=True)
    # One page per chapter: x.md#a becomes x.html#a, pictures stay where they are.
    def to_page(match):
        target = re.sub(r"^([a-z0-9-]+)\.md", r"\1.html", match[2])
        return f'{match[1]}"{target}"'

    for i, name in enumerate(order):
        body, title, _ = chapters[name]
        links = [] if name == "index" else ['<a href="index.html">Índice</a>']
        if i > 1:
            links.append(f'<a href="{order[i - 1]}.html">← {chapters[order[i - 1]][1]}</a>')
        if i + 1 < len(order):
            links.append(f'<a href="{order[i + 1]}.html">{chapters[order[i + 1]][1]} →</a>')
        nav = f'<p class="nav">{" | ".join(links)}</p>'
        write(output / f"{name}.html", page(title, f"{nav}\n{LINK.sub(to_page, body)}\n{nav}"))

    # One file: each chapter's ids get its name in front ("mensagens--clp-nao-responde";
    # toc never makes "--" itself, so no two ids meet), and the pictures are inlined.
    def to_single(name):
        def rewrite(match):
            target = match[2]
            if target.startswith("imagens/"):
                data = base64.b64encode((source / target).read_bytes()).decode("ascii")
                return f'{match[1]}"data:image/png;base64,{data}"'
            if re.match(r"(https?|mailto):", target):
                return match[0]
            chapter, _, anchor = target.partition("#")
            chapter = chapter[:-3] if chapter else name
            return f'{match[1]}"#{chapter}--{anchor}"' if anchor else f'{match[1]}"#{chapter}"'
        return rewrite

    sections = []
    for name in order:
        body = HEADING.sub(lambda m, n=name: f'<h{m[1]} id="{n}--{m[2]}">{m[3]}</h{m[1]}>', chapters[name][0])
        sections.append(f'<section id="{name}">\n{LINK.sub(to_single(name), body)}\n</section>')
    write(output / "Manual.html", page(chapters["index"][1], "\n<hr>\n".join(sections)))


def write(path, text):
    path.write_text(text, encoding="utf-8", newline="\n")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
