#!/usr/bin/python3
# Lumadoc's Word exporter: writes recognised text into a Word document through a headless LibreOffice
# driven over UNO (python3-uno). Run by Debian's /usr/bin/python3, which is the interpreter the uno
# module is built for.
#
#   wps_export.py IMAGE_PATH TEXT_BASE64 OUTPUT_PATH
#
# TEXT_BASE64 is the OCR text's UTF-8 bytes in standard Base64, or "-" to read that Base64 from standard
# input (a single argument may not exceed 128 KiB on Linux). OUTPUT_PATH ending in ".docx" is written as
# Office Open XML, anything else as a Word 97-2003 ".doc".
#
# Progress goes to standard output as one JSON object per line. Exit codes:
#   0 document written and present      2 wrong number of arguments
#   3 the text does not decode          4 python3-uno or LibreOffice missing, or LibreOffice won't start
#   5 LibreOffice saved but no file     6 any failure while building or saving the document

import base64
import datetime
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

# Seconds to wait for a freshly started LibreOffice to accept the connection; its first start with a new
# profile is the slow part of an export.
CONNECT_TIMEOUT_S = float(os.environ.get("LUMADOC_OFFICE_CONNECT_TIMEOUT", "90"))


def log(level, msg, **fields):
    record = {"ts": datetime.datetime.now().strftime("%Y-%m-%d %H:%M:%S"), "level": level, "msg": msg}
    for key, value in fields.items():
        if value is not None:
            record[key] = value
    try:
        line = json.dumps(record, ensure_ascii=False)
    except Exception as exc:  # a field that JSON cannot carry
        line = json.dumps({"ts": record["ts"], "level": "ERROR", "msg": "log_serialize_fail",
                           "orig": repr(record), "err": str(exc)}, ensure_ascii=False)
    sys.stdout.write(line + "\n")
    sys.stdout.flush()


# One boxed block of the engine's chained text: "<" text "(" confidence ")>(" x1 "," y1 "," x2 "," y2 ")".
_BOXED_BLOCK = re.compile(r"<(.*?)\((\d+(?:\.\d+)?)\)>\((\d+),(\d+),(\d+),(\d+)\)(?=\s*<|\s*$)", re.S)


def _strip_unboxed(text):
    text = re.sub(r"\)\>\(\d+,\d+,\d+,\d+\)", ")\n", text)
    text = re.sub(r"<(.*?)\((\d+(?:\.\d+)?)\)(?=\s|\n|$|<)", lambda m: m.group(1).strip(), text, flags=re.S)
    return text


def _only_blocks(text, blocks):
    """Whether nothing but white space lies between and around the matched blocks."""
    end = 0
    for m in blocks:
        if text[end:m.start()].strip():
            return False
        end = m.end()
    return not text[end:].strip()


def strip_ocr_text(text):
    """The chained block text reduced to plain text, one block per line."""
    if not text:
        return ""
    # Whole boxed blocks are taken first: a block's own words may contain "(12) " or "<", which the
    # looser rule would take for the end of the block.
    blocks = list(_BOXED_BLOCK.finditer(text))
    if blocks and _only_blocks(text, blocks):
        text = "\n".join(m.group(1).strip() for m in blocks)
    else:
        text = _strip_unboxed(text)
    text = re.sub(r"\n{3,}", "\n\n", text)
    return text.strip()


def find_soffice():
    override = os.environ.get("LUMADOC_SOFFICE")
    if override is not None:
        return override if os.path.isfile(override) and os.access(override, os.X_OK) else None
    for candidate in (shutil.which("soffice"), "/usr/lib/libreoffice/program/soffice"):
        if candidate and os.path.isfile(candidate) and os.access(candidate, os.X_OK):
            return candidate
    return None


class Office:
    """A private headless LibreOffice: its own profile folder and pipe, ended and removed on close."""

    def __init__(self, uno, soffice):
        self.uno = uno
        self.profile = tempfile.mkdtemp(prefix="lumadoc_lo_")
        self.pipe = "lumadoc_%d_%s" % (os.getpid(), os.path.basename(self.profile))
        self.process = subprocess.Popen(
            [soffice, "--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
             "--nolockcheck", "-env:UserInstallation=" + uno.systemPathToFileUrl(self.profile),
             "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.desktop = None

    def connect(self):
        local = self.uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + CONNECT_TIMEOUT_S
        while True:
            if self.process.poll() is not None:
                raise RuntimeError("LibreOffice exited with code %d before accepting" % self.process.returncode)
            try:
                context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe)
                break
            except Exception:
                if time.monotonic() > deadline:
                    raise RuntimeError("LibreOffice did not accept a connection within %.0f s" % CONNECT_TIMEOUT_S)
                time.sleep(0.25)
        self.desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
        return self.desktop

    def close(self):
        if self.desktop is not None:
            try:
                self.desktop.terminate()
            except Exception as exc:  # the bridge drops as the office ends
                log("DEBUG", "desktop.terminate", err=str(exc))
        try:
            self.process.wait(timeout=15)
        except Exception:
            log("WARNING", "office.Quit failed", err="LibreOffice did not end; killed")
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def prop(uno_module, name, value):
    from com.sun.star.beans import PropertyValue
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def main(argv):
    log("INFO", "wps_export started", pid=os.getpid(), argv_tail=[a if len(a) <= 200 else a[:200] + "..." for a in argv[1:]])
    if len(argv) != 4:
        log("ERROR", "arg count mismatch", expected=3, got=len(argv) - 1)
        return 2
    image_path, text_b64, out_path = argv[1], argv[2], argv[3]
    try:
        if text_b64 == "-":
            text_b64 = sys.stdin.buffer.read().decode("ascii")
        raw = base64.b64decode("".join(text_b64.split()), validate=True).decode("utf-8")
    except Exception as exc:
        log("ERROR", "base64 decode failed", err=str(exc))
        return 3

    text = strip_ocr_text(raw)
    log("INFO", "OCR text stripped", rawLen=len(raw), cleanLen=len(text), rawHead=raw[:60], cleanHead=text[:60])
    out_dir = os.path.dirname(os.path.abspath(out_path))
    log("INFO", "input summary", imagePath=image_path, imageExists=os.path.isfile(image_path),
        imageSize=os.path.getsize(image_path) if os.path.isfile(image_path) else None, textLen=len(text),
        outPath=out_path, outDir=out_dir, outDirWritable=os.access(out_dir, os.W_OK))

    try:
        import uno
        from com.sun.star.text.ControlCharacter import PARAGRAPH_BREAK
    except Exception as exc:
        log("ERROR", "python3-uno not installed", err=str(exc),
            hint="install the Debian packages libreoffice-writer-nogui and python3-uno")
        return 4
    soffice = find_soffice()
    if soffice is None:
        log("ERROR", "LibreOffice not installed", hint="install the Debian package libreoffice-writer-nogui")
        return 4

    log("INFO", "Starting LibreOffice", soffice=soffice)
    try:
        office = Office(uno, soffice)
    except Exception as exc:
        log("ERROR", "LibreOffice start failed", err=str(exc), traceback=traceback.format_exc())
        return 4
    try:
        try:
            desktop = office.connect()
        except Exception as exc:
            log("ERROR", "LibreOffice connection failed", err=str(exc), traceback=traceback.format_exc())
            return 4
        log("INFO", "LibreOffice connected OK")
        doc = None
        try:
            log("DEBUG", "Documents.Add")
            doc = desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, (prop(uno, "Hidden", True),))
            log("DEBUG", "Documents.Add OK")
            body = doc.getText()
            cursor = body.createTextCursor()
            log("DEBUG", "Selection obtained")
            lines = text.split("\n")
            log("INFO", "writing text", lines=len(lines), chars=len(text))
            for i, line in enumerate(lines):
                if i > 0:
                    body.insertControlCharacter(cursor, PARAGRAPH_BREAK, False)
                if line.strip():
                    body.insertString(cursor, line, False)
            docx = out_path.lower().endswith(".docx")
            log("INFO", "SaveAs", path=out_path)
            doc.storeToURL(uno.systemPathToFileUrl(os.path.abspath(out_path)),
                           (prop(uno, "FilterName", "MS Word 2007 XML" if docx else "MS Word 97"),))
            log("INFO", "SaveAs OK")
        except Exception as exc:
            log("ERROR", "LibreOffice operation failed", err=str(exc), traceback=traceback.format_exc())
            return 6
        finally:
            if doc is not None:
                try:
                    doc.close(True)
                except Exception as exc:
                    log("WARNING", "doc.Close failed", err=str(exc))
        if not os.path.isfile(out_path):
            log("ERROR", "SaveAs reported OK but file not on disk", path=out_path)
            return 5
        log("SUCCESS", "docx created", path=out_path, size=os.path.getsize(out_path))
        return 0
    finally:
        office.close()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
