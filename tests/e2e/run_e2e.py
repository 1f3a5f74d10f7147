#!/usr/bin/env python3
"""End-to-end tests of ZeltoUpdate.ocx under Wine (x64).

usage: run_e2e.py BUILD_DIR [--junit FILE] [--ocx PATH ...] [-k REGEX] [--screenshot FILE.png] [-v]

BUILD_DIR is a win64 build folder (it holds ZeltoUpdate.ocx and tests/zu_e2e_watcher.exe);
its Wine prefix is prepared with scripts/wine-env.sh (an already running prefix and
wineserver are reused). Each case prints one line "PASS name" / "FAIL name: why"; --junit
writes the results as a JUnit XML file. --ocx adds other builds of the module (the x86
one) to the export-table check; -k runs only the cases whose names match; --screenshot
saves the progress dialog of the installing update as a PNG: the run then uses an Xvfb
display and a Wine prefix of its own (BUILD_DIR/display/wineprefix, made on first use)
instead of the test prefix with its null display driver. The exit status is 1 when
any case failed.

The runner serves catalogues and packages from a local HTTP server on 127.0.0.1, builds
MSI packages with wixl, installs the base product per user with msiexec, adds registry
state with `wine reg add`, registers the module with regsvr32 and drives it with JScript
files run by cscript, as a page would.
"""
import argparse
import http.server
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import traceback
import xml.sax.saxutils
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE.parent.parent
sys.path.insert(0, str(HERE))

import bmp_to_png  # noqa: E402
import pe_exports  # noqa: E402
import scenario  # noqa: E402

CONTROL_CLSID = "{87B67A91-B92F-40C1-98D6-033A886E5512}"
PAGE_CLSID = "{AC83D4FD-989F-43F9-9663-D0D09366381D}"
TYPELIB_ID = "{BC9CDE75-5EF7-4A5A-A666-3913DC5F0711}"
PROGID = "ZELTOUPDATE.ZeltoUpdateCtrl.1"
CAT_SCRIPTING = "{7DD95801-9882-11CF-9FA9-00AA006C42C4}"
CAT_INITIALIZING = "{7DD95802-9882-11CF-9FA9-00AA006C42C4}"
ENTRY_POINTS = ["DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"]


# --- Wine -------------------------------------------------------------------------------

def wine_environment(build_dir):
    """The environment that scripts/wine-env.sh sets up for BUILD_DIR's prefix."""
    script = f'source "{SOURCE}/scripts/wine-env.sh" && zu_wine_up "{build_dir}" && env -0'
    out = subprocess.run(["bash", "-c", script], check=True, stdout=subprocess.PIPE,
                         stdin=subprocess.DEVNULL).stdout
    env = {}
    for item in out.split(b"\0"):
        if b"=" in item:
            k, v = item.split(b"=", 1)
            env[k.decode()] = v.decode(errors="replace")
    return env


class Wine:
    def __init__(self, env):
        self.env = env
        self.prefix = Path(env["WINEPREFIX"])

    def run(self, *args, timeout=180, check=False):
        # Output goes to files, not pipes: a Wine process started on the way (the desktop's
        # explorer.exe) inherits the handles and would keep a pipe open after the program ends.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run(["wine", *args], env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=err, timeout=timeout).returncode
            out.seek(0)
            err.seek(0)
            p = subprocess.CompletedProcess(args, code, out.read(), err.read())
        if check and p.returncode != 0:
            raise AssertionError(f"wine {' '.join(args)} exited {p.returncode}: {p.stderr[-500:]!r}")
        return p

    def start(self, *args):
        return subprocess.Popen(["wine", *args], env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def reg_query(self, key, value=None):
        """The output of `reg query` for KEY (with its subkeys), or None when it is absent."""
        args = ["reg", "query", key] + (["/v", value] if value else ["/s"])
        p = self.run(*args)
        return p.stdout.decode("utf-8", "replace") if p.returncode == 0 else None

    def reg_add(self, key, value, data, kind="REG_SZ"):
        self.run("reg", "add", key, "/v", value, "/t", kind, "/d", data, "/f", check=True)

    def reg_delete(self, key):
        self.run("reg", "delete", key, "/f")

    def unix_path(self, windows_path):
        """C:\\a\\b -> <prefix>/drive_c/a/b"""
        drive, rest = windows_path.split(":", 1)
        assert drive.upper() == "C"
        return self.prefix / "drive_c" / rest.strip("\\").replace("\\", "/")

    def windows_path(self, unix_path):
        return "Z:" + str(Path(unix_path).resolve()).replace("/", "\\")


# --- HTTP server -----------------------------------------------------------------------------

class Server:
    """Serves canned responses by path prefix (longest wins, case ignored) and records
    every request."""

    def __init__(self):
        self.routes = {}
        self.requests = []
        self.lock = threading.Lock()
        outer = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.0"

            def log_message(self, *args):
                pass

            def handle_any(self):
                length = int(self.headers.get("Content-Length") or 0)
                body = self.rfile.read(length) if length else b""
                with outer.lock:
                    outer.requests.append({"method": self.command, "path": self.path,
                                           "headers": dict(self.headers), "body": body})
                    path = self.path.lower()
                    match = max((p for p in outer.routes if path.startswith(p)), key=len, default=None)
                status, ctype, payload = outer.routes[match] if match else (404, "text/plain", b"not found")
                self.send_response(status)
                self.send_header("Content-Type", ctype)
                self.send_header("Content-Length", str(len(payload)))
                self.end_headers()
                if self.command != "HEAD":
                    self.wfile.write(payload)

            do_GET = do_POST = do_PUT = do_HEAD = handle_any

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def url(self, path):
        return f"http://127.0.0.1:{self.port}{path}"

    def route(self, prefix, payload, status=200, ctype="text/xml"):
        if isinstance(payload, str):
            payload = payload.encode("utf-8")
        with self.lock:
            self.routes[prefix.lower()] = (status, ctype, payload)

    def requests_to(self, prefix):
        with self.lock:
            return [r for r in self.requests if r["path"].lower().startswith(prefix.lower())]

    def stop(self):
        self.httpd.shutdown()


# --- the cases ---------------------------------------------------------------------------

class Context:
    def __init__(self, build_dir, wine, server, work, extra_ocx, screenshot=None):
        self.build_dir = build_dir
        self.wine = wine
        self.server = server
        self.work = work
        self.extra_ocx = extra_ocx
        self.screenshot = screenshot
        self.ocx = build_dir / "ZeltoUpdate.ocx"
        self.watcher = build_dir / "tests" / "zu_e2e_watcher.exe"
        self.script_count = 0
        self.verbose = False

    def regsvr32(self, *flags):
        return self.wine.run("regsvr32", "/s", *flags, self.wine.windows_path(self.ocx)).returncode

    def script(self, body, timeout=240):
        """Runs a JScript body with `c` the control; returns (exit code, {key: value})."""
        self.script_count += 1
        path = self.work / f"case{self.script_count:02d}.js"
        path.write_text(scenario.wrap_script(body), encoding="utf-8")
        p = self.wine.run("cscript", "//nologo", self.wine.windows_path(path), timeout=timeout)
        values = {}
        for line in p.stdout.decode("latin-1").splitlines():
            if "=" in line:
                k, v = line.split("=", 1)
                values[k.strip()] = v.rstrip("\r\n")
        if self.verbose:
            for k, v in values.items():
                print(f"    script: {k} = {v}")
        return p.returncode, values

    def watched_script(self, body, timeout=int(os.environ.get("ZU_E2E_TIMEOUT", "300")), image=None):
        """Runs a script while the watcher answers the control's windows; returns the
        script's result and the watcher's log lines. With `image` (a .bmp path) the
        watcher saves the progress dialog there before closing it."""
        log = self.work / f"watcher{self.script_count + 1:02d}.log"
        stop = Path(str(log) + ".stop")
        for f in (log, stop):
            if f.exists():
                f.unlink()
        extra = [self.wine.windows_path(image)] if image else []
        watcher = self.wine.start(self.wine.windows_path(self.watcher), self.wine.windows_path(log),
                                  str(timeout), *extra)
        try:
            result = self.script(body, timeout=timeout)
        finally:
            stop.write_text("stop")
            try:
                watcher.wait(timeout=30)
            except subprocess.TimeoutExpired:
                watcher.kill()
        lines = log.read_text(encoding="utf-8", errors="replace").splitlines() if log.exists() else []
        if self.verbose:
            for line in lines:
                print(f"    watcher: {line}")
        return result, lines


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def expect_values(values, wanted):
    wrong = {k: (values.get(k), v) for k, v in wanted.items() if values.get(k) != v}
    expect(not wrong, f"unexpected values (got, wanted): {wrong}; all: {values}")


def case_exports(ctx):
    """Every build of the module exports exactly the four entry points and imports only
    system DLLs (it is statically linked)."""
    for ocx in [ctx.ocx, *ctx.extra_ocx]:
        names = pe_exports.export_names(ocx)
        expect(sorted(names) == ENTRY_POINTS, f"{ocx}: exports {names}")
        foreign = [d for d in pe_exports.import_dlls(ocx) if d.lower() not in pe_exports.SYSTEM_DLLS]
        expect(not foreign, f"{ocx}: imports non-system DLLs {foreign}")


def case_register(ctx):
    """regsvr32 (twice) writes the class, ProgID, type library and category entries."""
    for attempt in (1, 2):
        expect(ctx.regsvr32() == 0, f"regsvr32 failed on attempt {attempt}")
    w = ctx.wine
    progid = w.reg_query(rf"HKCR\{PROGID}\CLSID")
    expect(progid and CONTROL_CLSID in progid, f"ProgID CLSID: {progid}")
    cls = rf"HKCR\CLSID\{CONTROL_CLSID}"
    checks = {
        cls: "ZeltoUpdate Control",
        cls + r"\ProgID": PROGID,
        cls + r"\MiscStatus\1": "131473",
        cls + r"\MiscStatus": "0",
        cls + r"\Version": "1.0",
        cls + r"\TypeLib": TYPELIB_ID,
        cls + r"\ToolboxBitmap32": ", 1",
        cls + r"\InprocServer32": "Apartment",
        rf"HKCR\CLSID\{PAGE_CLSID}": "ZeltoUpdate Property Page",
        rf"HKCR\TypeLib\{TYPELIB_ID}\1.0": "ZeltoUpdate ActiveX Control module",
    }
    for key, text in checks.items():
        out = w.reg_query(key)
        expect(out is not None and text in out, f"{key} lacks {text!r}: {out}")
    expect(w.reg_query(cls + r"\Control") is not None, "no Control key")
    expect(w.reg_query(rf"HKCR\CLSID\{PAGE_CLSID}\ProgID") is None, "the page's ProgID is written")
    cats = w.reg_query(cls + r"\Implemented Categories")
    expect(cats and CAT_SCRIPTING in cats and CAT_INITIALIZING in cats, f"categories: {cats}")
    listed = w.reg_query(cls)
    expect(listed.count(r"\ProgID") == 1, "entries written twice")


def case_defaults_and_names(ctx):
    """A new control's defaults; names in any case reach the same member; writes coerce."""
    rc, v = ctx.script(scenario.DEFAULTS_AND_NAMES)
    expect(rc == 0, f"script exit {rc}: {v}")
    expect_values(v, scenario.DEFAULTS_AND_NAMES_EXPECTED)


def case_method_arguments(ctx):
    """AddSetup/RemoveSetup take one 16-bit argument; wrong counts and values fail as the
    platform reports them; unknown names are not found."""
    rc, v = ctx.script(scenario.METHOD_ARGUMENTS)
    expect(rc == 0, f"script exit {rc}: {v}")
    expect_values(v, scenario.METHOD_ARGUMENTS_EXPECTED)


def case_products(ctx):
    """GetXMLProducts keeps only the installed product; empty URL answers ""; an
    unreachable server fails the call with the platform's code."""
    rc, v = ctx.script(scenario.products_script(ctx.server))
    expect(rc == 0, f"script exit {rc}: {v}")
    expect_values(v, scenario.PRODUCTS_EXPECTED)


def case_setups(ctx):
    """GetXMLSetups offers the outdated file's setup and drops the others."""
    rc, v = ctx.script(scenario.setups_script(ctx.server))
    expect(rc == 0, f"script exit {rc}: {v}")
    expect_values(v, scenario.SETUPS_EXPECTED)
    sent = ctx.server.requests_to("/cat/setups")
    expect(sent and sent[-1]["path"].endswith("productName=Dic&productVersion=3.0"),
           f"catalogue request: {[r['path'] for r in sent]}")


def case_setups_messages(ctx):
    """GetXMLSetups answers the error catalogue with messages 225, 226 and 227."""
    rc, v = ctx.script(scenario.setups_messages_script(ctx.server))
    expect(rc == 0, f"script exit {rc}: {v}")
    expect_values(v, scenario.SETUPS_MESSAGES_EXPECTED)


def case_update_installs(ctx):
    """AddSetup + Update downloads the update package, installs it through msi.dll,
    deletes the downloaded file and returns true."""
    target = ctx.wine.unix_path(scenario.INSTALL_DIR) / scenario.UPDATE_MARKER
    if target.exists():
        target.unlink()
    image = ctx.work / "progress.bmp" if ctx.screenshot else None
    try:
        (rc, v), log = ctx.watched_script(scenario.update_script(ctx.server, scenario.UPDATE_SETUP_ID),
                                          image=image)
    finally:
        if image and image.exists():
            bmp_to_png.convert(image, ctx.screenshot)
            print(f"progress dialog saved as {ctx.screenshot}")
    expect(rc == 0, f"script exit {rc}: {v}; watcher: {log}")
    expect_values(v, {"offered": "true", "update": "true"})
    got = ctx.server.requests_to("/dl")
    expect(any(r["path"] == f"/dl?file={scenario.UPDATE_PACKAGE}&codProduto=77" for r in got),
           f"download requests: {[r['path'] for r in got]}")
    expect(target.exists(), f"the update package did not install {target}")
    expect(v.get("downloadLeft") == "false", f"downloaded file left behind: {v}")
    expect(not any(line.startswith("ERRO") for line in log), f"error boxes: {log}")


def case_update_failure(ctx):
    """An installer failure shows the right "Erro" box and Update returns false."""
    (rc, v), log = ctx.watched_script(scenario.update_script(ctx.server, scenario.BROKEN_SETUP_ID))
    expect(rc == 0, f"script exit {rc}: {v}; watcher: {log}")
    expect_values(v, {"offered": "true", "update": "false"})
    errors = [line for line in log if line.startswith("ERRO")]
    expect(errors and scenario.BROKEN_MESSAGE_START in errors[0], f"error boxes: {log}")


def case_upload(ctx):
    """With uploads allowed, Update sends the collected file to the upload address."""
    ctx.server.requests.clear()
    (rc, v), log = ctx.watched_script(scenario.upload_script(ctx.server))
    expect(rc == 0, f"script exit {rc}: {v}; watcher: {log}")
    posts = [r for r in ctx.server.requests_to("/up") if r["method"] == "POST"]
    expect(posts, f"no upload reached the server; requests: {[r['path'] for r in ctx.server.requests]}")
    expect(posts[0]["path"] == "/up?codProduto=77", f"upload path {posts[0]['path']}")
    expect(scenario.UPLOAD_CONTENT in posts[0]["body"], "the file's content is not in the upload")


def case_unregister(ctx):
    """regsvr32 /u removes the class, ProgID and type library keys; the category
    definitions stay."""
    expect(ctx.regsvr32("/u") == 0, "regsvr32 /u failed")
    w = ctx.wine
    for key in (rf"HKCR\CLSID\{CONTROL_CLSID}", rf"HKCR\{PROGID}", rf"HKCR\CLSID\{PAGE_CLSID}",
                rf"HKCR\TypeLib\{TYPELIB_ID}\1.0\409"):
        expect(w.reg_query(key) is None, f"{key} still present")
    for cat in (CAT_SCRIPTING, CAT_INITIALIZING):
        expect(w.reg_query(rf"HKCR\Component Categories\{cat}") is not None, f"category {cat} gone")
    rc, v = ctx.script("out('created', 'yes');")
    expect(rc != 0, "the control can still be created")


CASES = [
    ("exports", case_exports),
    ("register", case_register),
    ("defaults_and_names", case_defaults_and_names),
    ("method_arguments", case_method_arguments),
    ("products", case_products),
    ("setups", case_setups),
    ("setups_messages", case_setups_messages),
    ("update_installs", case_update_installs),
    ("update_failure", case_update_failure),
    ("upload", case_upload),
    ("unregister", case_unregister),
]


class VirtualDisplay:
    """An Xvfb display and a Wine prefix of its own that uses it (BUILD_DIR/display), for
    runs that take screenshots: the test prefix keeps its null display driver. The prefix
    is made like the test prefix (same environment), only with the display set."""

    def __init__(self, build_dir):
        number = next(n for n in range(90, 200) if not Path(f"/tmp/.X{n}-lock").exists())
        self.xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        env = wine_environment(build_dir)  # the test prefix's settings...
        env["WINEPREFIX"] = str(build_dir / "display" / "wineprefix")  # ...for another prefix
        env["DISPLAY"] = f":{number}"
        self.wine = Wine(env)
        marker = self.wine.prefix / ".zu-display"
        if not marker.exists():
            shutil.rmtree(self.wine.prefix, ignore_errors=True)
            self.wine.prefix.mkdir(parents=True)
            subprocess.run(["wineboot", "-i"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=300)
            self.wine.run("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
            self.stop_wineserver()
            marker.write_text("x11 driver on Xvfb\n")

    def stop_wineserver(self):
        subprocess.run(["wineserver", "-k"], env=self.wine.env, stdin=subprocess.DEVNULL, timeout=60)
        subprocess.run(["wineserver", "-w"], env=self.wine.env, stdin=subprocess.DEVNULL, timeout=60)

    def close(self):
        self.stop_wineserver()
        self.xvfb.terminate()
        self.xvfb.wait()


def write_junit(path, results, elapsed):
    failures = sum(1 for r in results if r[1] is not None)
    with open(path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        f.write(f'<testsuite name="e2e" tests="{len(results)}" failures="{failures}" errors="0" '
                f'time="{elapsed:.1f}">\n')
        for name, error, seconds in results:
            f.write(f'  <testcase classname="e2e" name="{name}" time="{seconds:.1f}"')
            if error is None:
                f.write("/>\n")
            else:
                msg = xml.sax.saxutils.quoteattr(error.splitlines()[0][:500] if error else "failed")
                f.write(f">\n    <failure message={msg}>{xml.sax.saxutils.escape(error)}</failure>\n"
                        "  </testcase>\n")
        f.write("</testsuite>\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build_dir", type=Path)
    parser.add_argument("--junit", type=Path)
    parser.add_argument("--ocx", type=Path, action="append", default=[])
    parser.add_argument("-k", dest="only", default="")
    parser.add_argument("--screenshot", type=Path)
    parser.add_argument("-v", dest="verbose", action="store_true")
    args = parser.parse_args()
    build_dir = args.build_dir.resolve()

    display = VirtualDisplay(build_dir) if args.screenshot else None
    wine = display.wine if display else Wine(wine_environment(build_dir))
    server = Server()
    work = build_dir / "e2e"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    ctx = Context(build_dir, wine, server, work, [p.resolve() for p in args.ocx],
                  args.screenshot.resolve() if args.screenshot else None)
    ctx.verbose = args.verbose

    start = time.time()
    results = []
    try:
        scenario.prepare(ctx)
    except Exception:
        results.append(("prepare", traceback.format_exc(), time.time() - start))
        print("FAIL prepare:\n" + results[-1][1])
    if not results:
        for name, case in CASES:
            if args.only and not re.search(args.only, name):
                continue
            t0 = time.time()
            try:
                case(ctx)
                error = None
                print(f"PASS {name}", flush=True)
            except Exception as e:  # noqa: BLE001 - every failure is a case result
                error = f"{e}\n{traceback.format_exc()}" if not isinstance(e, AssertionError) else str(e)
                print(f"FAIL {name}: {error}", flush=True)
            results.append((name, error, time.time() - t0))
    server.stop()
    if display:
        display.close()
    failed = sum(1 for r in results if r[1] is not None)
    print(f"e2e: {len(results) - failed} passed, {failed} failed")
    if args.junit:
        write_junit(args.junit, results, time.time() - start)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
