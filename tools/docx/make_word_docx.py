#!/usr/bin/env python3
"""Writes resources/打印模板/word.docx, the group analysis set-up sheet template.

Run once after changing the layout and commit the result; the build does not run it.
    python3 tools/docx/make_word_docx.py [output path]

Placeholders (replaced by the program): #date1# #date2# #nl1# #nl2# #早餐# #早点#
#午餐# #午点# #晚餐# #晚点# #剩余#. Table 1 holds the column titles, table 2 the
42 x 9 attendance cells (seven blocks of six rows, one block per age 0 to 6).
"""
import sys
import zipfile
from pathlib import Path
from xml.sax.saxutils import escape

W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'
FONT = "Noto Sans CJK SC"
# Column widths in twentieths of a point; 18 cm of text width.
WIDTHS = [1300, 1500, 1000, 1000, 1000, 1000, 1000, 1000, 1400]
TITLES = ["年龄", "日期", "早餐", "早点", "午餐", "午点", "晚餐", "晚点", "折合"]
GRID_ROWS = 42


def run(text, size=None, bold=False, rsid=None):
    props = ""
    if bold:
        props += "<w:b/>"
    if size:
        props += f'<w:sz w:val="{size}"/><w:szCs w:val="{size}"/>'
    rpr = f"<w:rPr>{props}</w:rPr>" if props else ""
    attr = f' w:rsidR="{rsid}"' if rsid else ""
    return f'<w:r{attr}>{rpr}<w:t xml:space="preserve">{escape(text)}</w:t></w:r>'


def paragraph(runs, align=None, after=0, size=None):
    ppr = '<w:spacing w:before="0" w:after="%d" w:line="240" w:lineRule="auto"/>' % after
    if align:
        ppr += f'<w:jc w:val="{align}"/>'
    if size:
        ppr += f'<w:rPr><w:sz w:val="{size}"/><w:szCs w:val="{size}"/></w:rPr>'
    return f"<w:p><w:pPr>{ppr}</w:pPr>{''.join(runs)}</w:p>"


def table(rows, header=False):
    borders = "".join(
        f'<w:{side} w:val="single" w:sz="4" w:space="0" w:color="000000"/>'
        for side in ("top", "left", "bottom", "right", "insideH", "insideV"))
    grid = "".join(f'<w:gridCol w:w="{w}"/>' for w in WIDTHS)
    body = []
    for cells in rows:
        tr = ['<w:tr><w:trPr><w:trHeight w:val="300" w:hRule="atLeast"/>'
              + ("<w:tblHeader/>" if header else "") + "</w:trPr>"]
        for width, text in zip(WIDTHS, cells):
            shade = '<w:shd w:val="clear" w:color="auto" w:fill="E7E6E6"/>' if header else ""
            tr.append(f'<w:tc><w:tcPr><w:tcW w:w="{width}" w:type="dxa"/>{shade}<w:vAlign w:val="center"/></w:tcPr>')
            runs = [run(text, size=18, bold=header)] if text else []
            tr.append(paragraph(runs, align="center", size=18))
            tr.append("</w:tc>")
        tr.append("</w:tr>")
        body.append("".join(tr))
    return ('<w:tbl><w:tblPr><w:tblW w:w="%d" w:type="dxa"/><w:jc w:val="center"/>'
            '<w:tblBorders>%s</w:tblBorders><w:tblLayout w:type="fixed"/>'
            '<w:tblCellMar><w:left w:w="57" w:type="dxa"/><w:right w:w="57" w:type="dxa"/></w:tblCellMar>'
            '</w:tblPr><w:tblGrid>%s</w:tblGrid>%s</w:tbl>') % (sum(WIDTHS), borders, grid, "".join(body))


def document():
    parts = [
        paragraph([run("儿童群体营养分析  就餐人数统计表", size=32, bold=True)], align="center", after=160),
        # Two placeholders are split over runs, as word processors often store them.
        paragraph([run("统计时间：", size=21), run("#date1#", size=21), run(" 至 ", size=21),
                   run("#date", size=21, rsid="00A1B2C3"), run("2#", size=21, rsid="00D4E5F6"),
                   run("        年龄范围：", size=21), run("#nl1#", size=21), run(" 岁至 ", size=21),
                   run("#nl2#", size=21), run(" 岁", size=21)], after=80),
        paragraph([run("配餐系数(%)：", size=21)]
                  + [run(p + "   ", size=21) for p in ("#早餐#", "#早点#", "#午餐#", "#午点#", "#晚餐#", "#晚点#")]
                  + [run("#剩", size=21, rsid="00A1B2C3"), run("余#", size=21, rsid="00D4E5F6")], after=120),
        table([TITLES], header=True),
        paragraph([], size=2),  # keeps the two tables apart
        table([[""] * len(WIDTHS) for _ in range(GRID_ROWS)]),
        paragraph([run("填表人：                              审核人：", size=21)], after=0),
    ]
    sect = ('<w:sectPr><w:pgSz w:w="11906" w:h="16838"/>'
            '<w:pgMar w:top="850" w:right="850" w:bottom="850" w:left="850" w:header="567" w:footer="567" w:gutter="0"/>'
            '</w:sectPr>')
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<w:document {W}><w:body>{"".join(parts)}{sect}</w:body></w:document>')


STYLES = f'''<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles {W}><w:docDefaults><w:rPrDefault><w:rPr>
<w:rFonts w:ascii="{FONT}" w:eastAsia="{FONT}" w:hAnsi="{FONT}" w:cs="{FONT}"/>
<w:sz w:val="21"/><w:szCs w:val="21"/><w:lang w:val="en-US" w:eastAsia="zh-CN"/>
</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after="0" w:line="240" w:lineRule="auto"/></w:pPr></w:pPrDefault>
</w:docDefaults><w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>
<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/><w:tblPr>
<w:tblCellMar><w:left w:w="108" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style>
</w:styles>'''

CONTENT_TYPES = '''<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>
<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>
</Types>'''

RELS = '''<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>
</Relationships>'''

DOC_RELS = '''<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
</Relationships>'''

CORE = '''<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" xmlns:dc="http://purl.org/dc/elements/1.1/">
<dc:title>就餐人数统计表</dc:title></cp:coreProperties>'''


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else \
        Path(__file__).resolve().parents[2] / "resources" / "打印模板" / "word.docx"
    files = [("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", RELS),
             ("word/document.xml", document()), ("word/_rels/document.xml.rels", DOC_RELS),
             ("word/styles.xml", STYLES), ("docProps/core.xml", CORE)]
    out.parent.mkdir(parents=True, exist_ok=True)
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        for name, text in files:
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, text.encode("utf-8"))
    print(out)


if __name__ == "__main__":
    main()
