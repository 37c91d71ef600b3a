#!/usr/bin/env python3
"""Larkwell's demo web application: a small local stand-in for the real one.

    larkwell_demo.py [--bind 127.0.0.1] [--port 8765]   serve (--port 0: any free port)
    larkwell_demo.py expected SIZE OUT                   write a download's first SIZE bytes

It serves a Chinese start page that shows the workstation id (?mac=) and links to
downloads that exercise every way an HTTP body can arrive: sized, chunked, ended by
close, large, slow, truncated, stalled, and with hostile or Chinese file names; a page
that stalls halfway (/page/stall, not linked) serves the engine stand-in's tests.
Every download body is the same deterministic byte sequence, so a saved file can be
checked against `expected`. Python 3 standard library only.
"""

import argparse
import html
import http.server
import select
import signal
import socketserver
import sys
import threading
import time
import urllib.parse

DEFAULT_PORT = 8765

# --- Download content -------------------------------------------------------------------

BLOCK = 64 * 1024


def content_byte(offset):
    """The byte at `offset` of every download body."""
    return (offset * 131 + (offset >> 10) + (offset >> 18)) & 0xFF


# Without the last term the sequence would repeat every 256 KiB (131 * 2**18 is a multiple of
# 256 and 2**18 >> 10 adds 256), and a client that swapped whole 256 KiB stretches would still
# match. With it, stretch k is stretch 0 with k added to every byte: one stretch is built once,
# and every body is sent as slices of it, shifted by a translation table.
_PERIOD = 1 << 18
_CYCLE = bytes(content_byte(o) for o in range(_PERIOD))
_SHIFTS = [bytes((b + k) & 0xFF for b in range(256)) for k in range(256)]


def content_blocks(start, stop, block=BLOCK):
    """Yields the body bytes [start, stop) in pieces of at most `block` bytes."""
    while start < stop:
        at = start % _PERIOD
        n = min(block, stop - start, _PERIOD - at)
        piece = _CYCLE[at:at + n]
        shift = (start // _PERIOD) & 0xFF
        yield piece.translate(_SHIFTS[shift]) if shift else piece
        start += n


def write_expected(size, path):
    with open(path, "wb") as out:
        for piece in content_blocks(0, size):
            out.write(piece)


# --- Header values ----------------------------------------------------------------------

# RFC 5987 attr-char: what may stand unescaped in an ext-value.
_ATTR_CHAR_EXTRA = "!#$&+^`|"


def ascii_name(name):
    """A file name for clients that know no `filename*`: printable ASCII only."""
    return "".join(c if " " <= c <= "~" else "_" for c in name)


def content_disposition(fallback, name=None):
    """`attachment` with the ASCII `filename` (RFC 6266) and, when given, the exact
    `name` as `filename*` in UTF-8 (RFC 5987)."""
    quoted = fallback.replace("\\", "\\\\").replace('"', '\\"')
    value = f'attachment; filename="{quoted}"'
    if name is not None:
        value += "; filename*=UTF-8''" + urllib.parse.quote(name, safe=_ATTR_CHAR_EXTRA)
    return value


def is_local_path(target):
    """A path on this server: "/x" but not "//host" or "/\\host" (browsers read both as
    another host), and nothing that could split the header."""
    return (target.startswith("/") and target[1:2] not in ("/", "\\")
            and not any(c < " " or c == "\x7f" for c in target))


# --- Pages ------------------------------------------------------------------------------

HOSTILE_NAMES = ("..\\..\\evil.xls", "C:\\Windows\\evil.xls", "CON.xls", "bad\x01\x1fname.xls")

START_LINKS = (
    ("/download/report.xls", "报表（已知长度，300000 字节）"),
    ("/download/chunked.xls", "报表（分块传输）"),
    ("/download/close.xls", "报表（无长度，以关闭连接结束）"),
    ("/download/large.xls", "大文件（200 MB）"),
    ("/download/slow.xls", "慢速下载（约 6 秒）"),
    ("/download/truncated.xls", "中途断开的下载"),
    ("/download/stall.xls", "传到一半停住的下载"),
    ("/download/chinese.xls", "中文文件名（月度报表.xls）"),
) + tuple(
    ("/download/named?name=" + urllib.parse.quote(name, safe=""), f"恶意文件名：{ascii_name(name)}")
    for name in HOSTILE_NAMES
) + (
    ("/page/about", "关于 Larkwell"),
    ("/redirect?to=/page/about", "跳转到“关于”页"),
    ("/bad-response", "错误的服务器响应"),
)


def page(title, body):
    return ("<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head><meta charset=\"utf-8\">"
            f"<title>{html.escape(title)}</title></head>\n<body>\n{body}\n</body>\n</html>\n")


def link_list(links):
    items = "".join(f'<li><a href="{html.escape(href)}">{html.escape(text)}</a></li>\n'
                    for href, text in links)
    return f"<ul>\n{items}</ul>"


def start_page(mac):
    shown = html.escape(mac) if mac else "（空）"
    return page("Larkwell 演示应用",
                f"<h1>Larkwell 演示应用</h1>\n<p>工作站标识：{shown}</p>\n"
                "<p>请选择一个下载：</p>\n" + link_list(START_LINKS))


def about_page():
    return page("关于 Larkwell",
                "<h1>关于 Larkwell</h1>\n<p>这是 Larkwell 外壳的本地演示应用。</p>\n"
                + link_list([("/", "返回首页")]))


def message_page(title, text):
    return page(title, f"<h1>{html.escape(title)}</h1>\n<p>{html.escape(text)}</p>\n"
                + link_list([("/", "返回首页")]))


# --- The request handler ----------------------------------------------------------------

class BadRequest(Exception):
    """A query the routes cannot serve: answered with 400 and this text."""


class Query:
    """The query parameters of one request."""

    def __init__(self, query):
        try:
            self.fields = urllib.parse.parse_qs(query, keep_blank_values=True, errors="strict")
        except UnicodeDecodeError:
            raise BadRequest("查询参数不是有效的 UTF-8") from None

    def text(self, key, default=None):
        values = self.fields.get(key)
        if values:
            return values[0]
        if default is None:
            raise BadRequest(f"缺少参数 {key}")
        return default

    def number(self, key, default, kind=int):
        value = self.text(key, str(default))
        try:
            number = kind(value)
        except ValueError:
            raise BadRequest(f"参数 {key} 不是数字：{value}") from None
        if not 0 <= number < 1 << 40:
            raise BadRequest(f"参数 {key} 超出范围：{value}")
        return number


EXCEL = "application/vnd.ms-excel"
CHUNK_SIZES = (1000, 65536, 70000, 7)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "LarkwellDemo/1.0"
    # The headers and a small body go out at once, not after a delayed ACK.
    disable_nagle_algorithm = True

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        route = ROUTES.get(url.path)
        if route is None:
            self.send_page(404, message_page("页面不存在", f"找不到 {url.path}。"))
            return
        try:
            route(self, Query(url.query))
        except BadRequest as error:
            self.send_page(400, message_page("请求无效", str(error)))

    # --- Pages ---

    def start(self, query):
        self.send_page(200, start_page(query.text("mac", "")))

    def about(self, query):
        self.send_page(200, about_page())

    def redirect(self, query):
        target = query.text("to")
        if not is_local_path(target):
            raise BadRequest(f"只能跳转到本服务器的路径：{target}")
        location = urllib.parse.quote(target, safe="/?&=#%:;@!$'()*+,~")
        self.send_page(302, message_page("已跳转", location), Location=location)

    def stalled_page(self, query):
        """A page that stops halfway: its head and first bytes, then nothing until the client goes."""
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", "1000")
        self.end_headers()
        self.wfile.write(b"<p>half")
        self.wait_for_client_close()

    def bad_response(self, query):
        self.log_request("-")
        self.wfile.write(b"this is not HTTP\r\n\r\n")
        self.close_connection = True

    # --- Downloads ---

    def report(self, query):
        size = query.number("size", 300000)
        self.send_download("report.xls", {"Content-Length": size})
        self.send_content(0, size)

    def chunked(self, query):
        size = query.number("size", 300000)
        self.send_download("chunked.xls", {"Transfer-Encoding": "chunked"})
        sent, turn = 0, 0
        while sent < size:
            n = min(CHUNK_SIZES[turn % len(CHUNK_SIZES)], size - sent)
            self.wfile.write(b"%x\r\n" % n)
            self.send_content(sent, sent + n)
            self.wfile.write(b"\r\n")
            sent, turn = sent + n, turn + 1
        self.wfile.write(b"0\r\n\r\n")

    def close_delimited(self, query):
        size = query.number("size", 300000)
        self.send_download("close.xls", {"Connection": "close"})
        self.send_content(0, size)

    def large(self, query):
        size = query.number("mb", 200) * 1048576
        self.send_download("large.xls", {"Content-Length": size})
        self.send_content(0, size)

    def slow(self, query):
        size = query.number("size", 262144)
        seconds = query.number("seconds", 6, float)
        self.send_download("slow.xls", {"Content-Length": size})
        pieces = 40
        begin = time.monotonic()
        for i in range(pieces):
            # On a schedule from the start, so the pieces' own sending time does not add up.
            time.sleep(max(0.0, begin + seconds * (i + 1) / pieces - time.monotonic()))
            self.send_content(size * i // pieces, size * (i + 1) // pieces)

    def truncated(self, query):
        size = query.number("size", 300000)
        sent = min(query.number("sent", 100000), size)
        self.send_download("truncated.xls", {"Content-Length": size, "Connection": "close"})
        self.send_content(0, sent)

    def stall(self, query):
        size = query.number("size", 300000)
        after = min(query.number("after", 100000), size)
        self.send_download("stall.xls", {"Content-Length": size, "Connection": "close"})
        self.send_content(0, after)
        self.wait_for_client_close()

    def chinese(self, query):
        self.send_download_of("report.xls", 50000, name="月度报表.xls")

    def named(self, query):
        name = query.text("name")
        self.send_download_of(ascii_name(name), query.number("size", 20000), name=name)

    # --- Helpers ---

    def send_page(self, status, text, **headers):
        body = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        for key, value in headers.items():
            self.send_header(key, value)
        self.end_headers()
        self.wfile.write(body)

    def send_download(self, fallback, framing, name=None):
        """The status line and headers of a download; `framing` says how its body ends."""
        self.send_response(200)
        self.send_header("Content-Type", EXCEL)
        self.send_header("Content-Disposition", content_disposition(fallback, name))
        for key, value in framing.items():
            self.send_header(key, str(value))
        self.end_headers()

    def send_download_of(self, fallback, size, name):
        self.send_download(fallback, {"Content-Length": size}, name)
        self.send_content(0, size)

    def send_content(self, start, stop):
        for piece in content_blocks(start, stop):
            self.wfile.write(piece)

    def wait_for_client_close(self):
        """Sends nothing more and returns once the client has closed or the server stops."""
        while not self.server.stopping.is_set():
            readable, _, _ = select.select([self.connection], [], [], 0.2)
            if readable and not self.connection.recv(4096):
                return

    # --- Logging: one line per request, on standard error ---

    def log_request(self, code="-", size="-"):
        self.log_message('"%s" %s', self.requestline, getattr(code, "value", code))

    def log_message(self, format, *args):
        log(format % args)


ROUTES = {
    "/": Handler.start,
    "/page/about": Handler.about,
    "/page/stall": Handler.stalled_page,
    "/redirect": Handler.redirect,
    "/bad-response": Handler.bad_response,
    "/download/report.xls": Handler.report,
    "/download/chunked.xls": Handler.chunked,
    "/download/close.xls": Handler.close_delimited,
    "/download/large.xls": Handler.large,
    "/download/slow.xls": Handler.slow,
    "/download/truncated.xls": Handler.truncated,
    "/download/stall.xls": Handler.stall,
    "/download/chinese.xls": Handler.chinese,
    "/download/named": Handler.named,
}

_log_lock = threading.Lock()
# Control characters from a request line would garble the log: shown as \xHH.
_CONTROLS = {c: f"\\x{c:02x}" for c in (*range(0x20), 0x7F)}


def log(message):
    with _log_lock:
        sys.stderr.write(f"larkwell-demo: {message.translate(_CONTROLS)}\n")
        sys.stderr.flush()


# --- The server -------------------------------------------------------------------------

class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address):
        self.stopping = threading.Event()
        super().__init__(address, Handler)

    def server_bind(self):
        # HTTPServer.server_bind also asks the resolver for our host name: not needed.
        socketserver.TCPServer.server_bind(self)
        self.server_name, self.server_port = self.server_address[:2]

    def handle_error(self, request, client_address):
        # A client that goes away in the middle of a body is an ordinary event here.
        if not isinstance(sys.exc_info()[1], (ConnectionError, TimeoutError)):
            super().handle_error(request, client_address)


def serve(bind, port):
    try:
        server = Server((bind, port))
    except OSError as error:
        log(f"cannot listen on {bind}:{port}: {error.strerror or error}")
        return 2
    # Blocked before any thread starts, so every thread inherits the mask and the signals
    # wait for sigwait below: no handler runs in the middle of the main thread's work.
    stops = {signal.SIGTERM, signal.SIGINT}
    signal.pthread_sigmask(signal.SIG_BLOCK, stops)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    log(f"serving http://{bind}:{server.server_port}/")
    signal.sigwait(stops)
    server.stopping.set()
    server.shutdown()
    server.server_close()
    return 0


def main(argv=None):
    parser = argparse.ArgumentParser(description="Larkwell's demo web application.")
    parser.add_argument("--bind", default="127.0.0.1", help="address to listen on")
    parser.add_argument("--port", type=int, default=DEFAULT_PORT, help="port (0: any free one)")
    commands = parser.add_subparsers(dest="command")
    expected = commands.add_parser("expected", help="write the first SIZE bytes of a download")
    expected.add_argument("size", type=int, metavar="SIZE")
    expected.add_argument("out", metavar="OUT")
    args = parser.parse_args(argv)
    if args.command == "expected":
        write_expected(args.size, args.out)
        return 0
    return serve(args.bind, args.port)


if __name__ == "__main__":
    sys.exit(main())
