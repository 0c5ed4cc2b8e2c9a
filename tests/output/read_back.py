"""Reads an exported file with an independent reader and prints what it found as JSON.

Usage: read_back.py xls|xls-summary|csv|txt|htm FILE
"""
import csv
import html.parser
import json
import sys


def xls_sheets(path, summary):
    import xlrd

    book = xlrd.open_workbook(path, formatting_info=True)

    def cell_of(cell):
        if cell.ctype == xlrd.XL_CELL_DATE:
            moment = xlrd.xldate.xldate_as_datetime(cell.value, book.datemode)
            fmt = book.format_map[book.xf_list[cell.xf_index].format_key].format_str
            return {"type": "date", "value": moment.strftime("%Y-%m-%d %H:%M:%S"), "format": fmt}
        if cell.ctype == xlrd.XL_CELL_NUMBER:
            return {"type": "number", "value": cell.value}
        if cell.ctype == xlrd.XL_CELL_TEXT:
            return {"type": "text", "value": cell.value}
        return {"type": "empty"}

    sheets = []
    for sheet in book.sheets():
        wanted = range(sheet.nrows)
        if summary and sheet.nrows > 2:
            wanted = [0, 1, sheet.nrows - 1]
        rows = [[cell_of(sheet.cell(r, c)) for c in range(sheet.ncols)] for r in wanted]
        widths = [sheet.colinfo_map[c].width if c in sheet.colinfo_map else 0
                  for c in range(sheet.ncols)]
        sheets.append({"name": sheet.name, "nrows": sheet.nrows, "rows": rows, "widths": widths})
    return sheets


def delimited(path, delimiter, encoding):
    with open(path, newline="", encoding=encoding) as f:
        return list(csv.reader(f, delimiter=delimiter, strict=True))


class Tables(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.doctype = ""
        self.charset = ""
        self.tables = 0
        self.rows = []
        self.kinds = []
        self.cell = None

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        if tag == "meta":
            self.charset = dict(attrs).get("charset", self.charset)
        elif tag == "table":
            self.tables += 1
        elif tag == "tr":
            self.rows.append([])
            self.kinds.append([])
        elif tag in ("th", "td"):
            self.cell = []
            self.kinds[-1].append(tag)

    def handle_endtag(self, tag):
        if tag in ("th", "td") and self.cell is not None:
            self.rows[-1].append("".join(self.cell))
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind in ("xls", "xls-summary"):
        result = xls_sheets(path, kind == "xls-summary")
    elif kind == "csv":
        result = delimited(path, ",", "utf-8-sig")
    elif kind == "txt":
        result = delimited(path, "\t", "utf-8")
    else:
        parser = Tables()
        with open(path, encoding="utf-8") as f:
            parser.feed(f.read())
        parser.close()
        result = {"doctype": parser.doctype, "charset": parser.charset,
                  "tables": parser.tables, "rows": parser.rows, "kinds": parser.kinds}
    json.dump(result, sys.stdout, ensure_ascii=False)


main()
