#!/usr/bin/python3
"""Reads the room's report that e2e_report_tests made back with Python's own HTML
parser and CSV reader, as a browser and a spreadsheet would take it.
    read-report.py ROOM_FOLDER      (ROOM_FOLDER.expected says what to find)
Checks: only the page's own elements (none came from a record), no script, no
address outside the folder, every name and value of a record present as text, the
rows in order with their states, the counts; the table's header, rows and cells,
none of which a spreadsheet would take for a formula."""
import csv
import html.parser
import io
import os
import sys

room = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


expected = {"state": [], "count": [], "row": [], "text": [], "link": []}
with open(room + ".expected", encoding="utf-8") as f:
    for line in f:
        kind, value = line.rstrip("\n").split("\t", 1)
        expected[kind].append(value)

ALLOWED = {"html", "head", "meta", "title", "style", "body", "h1", "p", "ul", "li", "b", "table", "thead",
           "tbody", "tr", "th", "td", "span", "a"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags = []
        self.links = []
        self.stack = []
        self.text = []          # every text outside <style> and <title>
        self.counts = []        # (state words, count) of the counts at the top
        self.rows = []          # the cells' texts of each table row
        self.row = None
        self.cell = None
        self.in_count = None

    def handle_starttag(self, tag, attrs):
        self.tags.append(tag)
        self.stack.append(tag)
        for name, value in attrs:
            check(not name.startswith("on"), "an event attribute: %s=%r" % (name, value))
            if name in ("href", "src", "action"):
                self.links.append(value)
        if tag == "tr":
            self.row = []
        elif tag in ("td", "th") and self.row is not None:
            self.cell = ""
        elif tag == "li" and "counts" in self.classes_above():
            self.in_count = ""

    def classes_above(self):
        return getattr(self, "_ul_class", "")

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        self.stack.pop()

    def handle_endtag(self, tag):
        if self.stack and self.stack[-1] == tag:
            self.stack.pop()
        if tag in ("td", "th") and self.cell is not None:
            self.row.append(self.cell.strip())
            self.cell = None
        elif tag == "tr" and self.row is not None:
            self.rows.append(self.row)
            self.row = None
        elif tag == "li" and self.in_count is not None:
            words, _, number = self.in_count.strip().rpartition(" ")
            self.counts.append((words.strip(), number))
            self.in_count = None

    def handle_data(self, data):
        if "style" in self.stack or "title" in self.stack:
            return
        self.text.append(data)
        if self.cell is not None:
            self.cell += data
        if self.in_count is not None:
            self.in_count += data


class CountsAware(Page):
    def handle_starttag(self, tag, attrs):
        if tag == "ul":
            self._ul_class = dict(attrs).get("class", "") or ""
        super().handle_starttag(tag, attrs)


with open(os.path.join(room, "rapport.html"), "rb") as f:
    raw = f.read()
page_text = raw.decode("utf-8")
page = CountsAware()
page.feed(page_text)
page.close()

check(set(page.tags) <= ALLOWED, "elements that are not the page's own: %s" % sorted(set(page.tags) - ALLOWED))
check("script" not in page.tags, "a script element")
for link in page.links:
    check("/" not in link and "\\" not in link and ":" not in link and not link.startswith(".."),
          "a link outside the folder: %r" % link)
    check(os.path.exists(os.path.join(room, link)), "a link to a file that is not there: %r" % link)
check(sorted(page.links) == sorted(expected["link"]), "links %r, expected %r" % (page.links, expected["link"]))
all_text = "".join(page.text)
for value in expected["text"]:
    check(value in all_text, "not in the page as text: %r" % value)

# Signs come before the state's words in each count: only the words and numbers matter.
counts = [(words.split(" ", 1)[1] if " " in words else words, number) for words, number in page.counts]
check(counts == list(zip(expected["state"], expected["count"])),
      "counts %r, expected %r" % (counts, list(zip(expected["state"], expected["count"]))))

body_rows = [row for row in page.rows if row and row[0] != "Poste"]
check([row[0] for row in body_rows] == expected["row"],
      "rows %r, expected %r" % ([row[0] for row in body_rows], expected["row"]))
check(len(body_rows) == sum(int(c) for c in expected["count"]), "rows and counts disagree")

# The table, as a spreadsheet reads it.
with open(os.path.join(room, "rapport.csv"), "rb") as f:
    table_bytes = f.read()
check(table_bytes.startswith(b"\xef\xbb\xbf"), "the table has no byte-order mark")
check(b"\n" not in table_bytes.replace(b"\r\n", b""), "a line of the table does not end with CR LF")
rows = list(csv.reader(io.StringIO(table_bytes.decode("utf-8-sig"), newline=""), delimiter=";"))
check(rows and rows[0][0] == "Poste" and len(rows[0]) == 8, "header %r" % (rows[0] if rows else None))
check([row[0] for row in rows[1:]] == expected["row"], "table rows %r" % [row[0] for row in rows[1:]])
for row in rows:
    check(len(row) == len(rows[0]), "a row of %d cells: %r" % (len(row), row))
    for cell in row:
        check(not cell or cell[0] not in "=+-@\t\r", "a cell a spreadsheet would run: %r" % cell)
table_text = "\n".join(";".join(row) for row in rows)
for value in expected["text"]:
    check(value in table_text, "not in the table: %r" % value)

if failures:
    print("read-report: %d failure(s)" % len(failures))
    for failure in failures:
        print("  " + failure)
    sys.exit(1)
print("read-report: the page (%d rows, %d elements) and the table (%d rows) read back as expected"
      % (len(body_rows), len(page.tags), len(rows) - 1))
