"""Tests of the demo web application, against a real server process on a free port."""

import html.parser
import http.client
import os
import queue
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse
from pathlib import Path

SCRIPT = Path(__file__).resolve().with_name("larkwell_demo.py")
HOSTILE_NAMES = ("..\\..\\evil.xls", "C:\\Windows\\evil.xls", "CON.xls", "bad\x01\x1fname.xls")
EXCEL = "application/vnd.ms-excel"


class DemoServer:
    """One server process; its standard error is collected line by line as it comes."""

    def __init__(self, *args):
        self.process = subprocess.Popen(
            [sys.executable, str(SCRIPT), *args], stderr=subprocess.PIPE,
            stdin=subprocess.DEVNULL, text=True, encoding="utf-8")
        self.lines = queue.Queue()
        self.reader = threading.Thread(target=self._collect, daemon=True)
        self.reader.start()

    def _collect(self):
        for line in self.process.stderr:
            self.lines.put(line.rstrip("\n"))

    def wait_for_line(self, pattern, seconds=5):
        deadline = time.monotonic() + seconds
        while (left := deadline - time.monotonic()) > 0:
            try:
                line = self.lines.get(timeout=left)
            except queue.Empty:
                break
            if match := re.fullmatch(pattern, line):
                return match
        raise AssertionError(f"no line matching {pattern!r} on standard error")

    def start(self):
        self.port = int(self.wait_for_line(r"larkwell-demo: serving http://127\.0\.0\.1:(\d+)/")[1])
        return self

    def stop(self, signum=signal.SIGTERM):
        self.process.send_signal(signum)
        try:
            return self.process.wait(timeout=5)
        finally:
            self.process.kill()  # a no-op unless the signal failed to stop it
            self.reader.join(5)
            self.process.stderr.close()


def setUpModule():
    global server
    server = DemoServer("--port", "0").start()


def tearDownModule():
    server.stop()


_expected = {}


def expected(size):
    """The first `size` bytes of a download, as the `expected` command writes them."""
    if size not in _expected:
        with tempfile.TemporaryDirectory() as folder:
            out = os.path.join(folder, "expected.xls")
            subprocess.run([sys.executable, str(SCRIPT), "expected", str(size), out], check=True)
            _expected[size] = Path(out).read_bytes()
    return _expected[size]


def connect(test):
    connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
    test.addCleanup(connection.close)
    return connection


def get(path):
    connection = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
    try:
        connection.request("GET", path)
        response = connection.getresponse()
        return response, response.read()
    finally:
        connection.close()


class Raw:
    """A request over a plain socket, to see the response's framing byte for byte."""

    def __init__(self, test, path):
        self.socket = socket.create_connection(("127.0.0.1", server.port), timeout=10)
        self.file = self.socket.makefile("rb")
        test.addCleanup(self.close)
        self.send(path)

    def send(self, path):
        self.socket.sendall(f"GET {path} HTTP/1.1\r\nHost: demo\r\n\r\n".encode())

    def head(self):
        status = self.file.readline()
        headers = {}
        while (line := self.file.readline()) != b"\r\n":
            key, _, value = line.decode("latin-1").partition(":")
            headers[key.strip().lower()] = value.strip()
        return status, headers

    def close(self):
        self.file.close()
        self.socket.close()


def disposition(value):
    """The file name a client takes from Content-Disposition: filename* (RFC 5987) when
    present, else the quoted filename; and the ASCII fallback itself."""
    params = dict(re.findall(r';\s*([^=\s]+)\s*=\s*("(?:[^"\\]|\\.)*"|[^;]*)', value))
    fallback = re.sub(r"\\(.)", r"\1", params["filename"][1:-1])
    if "filename*" not in params:
        return fallback, fallback
    charset, _, encoded = params["filename*"].split("'", 2)
    return urllib.parse.unquote(encoded, encoding=charset, errors="strict"), fallback


class Links(html.parser.HTMLParser):
    def __init__(self, page):
        super().__init__()
        self.links, self._href = [], None
        self.feed(page)

    def handle_starttag(self, tag, attrs):
        if tag == "a":
            self._href = dict(attrs)["href"]

    def handle_data(self, data):
        if self._href:
            self.links.append((self._href, data))
            self._href = None


class DownloadTest(unittest.TestCase):
    def assert_download(self, response, name, length):
        self.assertEqual((response.status, response.getheader("Content-Type"),
                          response.getheader("Content-Length")), (200, EXCEL, str(length)))
        self.assertTrue(response.getheader("Content-Disposition")
                        .startswith(f'attachment; filename="{name}"'))

    def test_expected_is_the_byte_formula(self):
        # Past 256 KiB, where a shortcut in the generator would first show.
        self.assertEqual(expected(600000), bytes((o * 131 + (o >> 10) + (o >> 18)) & 0xFF for o in range(600000)))

    def test_sized_downloads_share_one_connection(self):
        connection = connect(self)
        connection.request("GET", "/page/about")
        connection.getresponse().read()
        sock = connection.sock
        for path, name, size in (("/download/report.xls", "report.xls", 300000),
                                 ("/download/report.xls?size=12345", "report.xls", 12345),
                                 ("/download/report.xls?size=0", "report.xls", 0),
                                 ("/download/large.xls?mb=3", "large.xls", 3 << 20),
                                 ("/download/chinese.xls", "report.xls", 50000)):
            connection.request("GET", path)
            response = connection.getresponse()
            self.assertEqual(response.read(), expected(size), path)
            self.assert_download(response, name, size)
            self.assertIs(connection.sock, sock, f"{path}: the connection was not kept alive")

    def test_chunked_framing(self):
        raw = Raw(self, "/download/chunked.xls")
        status, headers = raw.head()
        self.assertEqual(status, b"HTTP/1.1 200 OK\r\n")
        self.assertEqual(headers.get("transfer-encoding"), "chunked")
        self.assertNotIn("content-length", headers)
        body, sizes = bytearray(), []
        while True:
            line = raw.file.readline()
            self.assertRegex(line, rb"^[0-9a-f]+\r\n$")
            size = int(line, 16)
            sizes.append(size)
            body += raw.file.read(size)
            self.assertEqual(raw.file.readline(), b"\r\n")
            if size == 0:
                break
        self.assertEqual(bytes(body), expected(300000))
        self.assertGreaterEqual(len(set(sizes[:-1])), 3, f"chunk sizes do not vary: {sizes}")
        # The framing ended exactly where it said: the next response starts right there.
        raw.send("/page/about")
        self.assertEqual(raw.head()[0], b"HTTP/1.1 200 OK\r\n")

    def test_close_and_truncated_end_at_close(self):
        for path, length, sent in (("/download/close.xls", None, 300000),
                                   ("/download/close.xls?size=777", None, 777),
                                   ("/download/truncated.xls", "300000", 100000),
                                   ("/download/truncated.xls?size=5000&sent=4095", "5000", 4095)):
            raw = Raw(self, path)
            _, headers = raw.head()
            self.assertEqual(headers.get("connection"), "close", path)
            self.assertEqual(headers.get("content-length"), length, path)
            self.assertNotIn("transfer-encoding", headers)
            self.assertEqual(raw.file.read(), expected(sent), path)  # read() returns at close

    def test_stall_sends_part_then_holds_the_connection(self):
        # A download, and a page (for the engine stand-in's tests of a page that never ends).
        for path, length, connection, sent in (
                ("/download/stall.xls?size=300000&after=100000", "300000", "close", expected(100000)),
                ("/page/stall", "1000", None, b"<p>half")):
            raw = Raw(self, path)
            _, headers = raw.head()
            self.assertEqual((headers["content-length"], headers.get("connection")), (length, connection))
            self.assertEqual(raw.file.read(len(sent)), sent, path)
            raw.socket.settimeout(0.5)
            with self.assertRaises(TimeoutError):  # neither more bytes nor the end
                raw.file.peek(1)
            raw.close()
        self.assertEqual(get("/page/about")[0].status, 200)

    def test_slow_spreads_its_pieces_over_the_seconds(self):
        size, seconds = 40000, 2.0
        start = time.monotonic()
        connection = connect(self)
        connection.request("GET", f"/download/slow.xls?size={size}&seconds={seconds}")
        response = connection.getresponse()
        self.assert_download(response, "slow.xls", size)
        body, halfway = b"", None
        while piece := response.read1(65536):
            body += piece
            if halfway is None and time.monotonic() - start > seconds / 2:
                halfway = len(body)
        elapsed = time.monotonic() - start
        self.assertEqual(body, expected(size))
        self.assertTrue(seconds * 0.9 < elapsed < seconds + 1.5, elapsed)
        self.assertIsNotNone(halfway, "everything arrived before half time")
        self.assertTrue(size * 0.3 < halfway < size * 0.7, f"{halfway} bytes at half time")

    def test_large_is_streamed_not_held(self):
        connection, total = connect(self), 0
        connection.request("GET", "/download/large.xls")
        response = connection.getresponse()
        self.assert_download(response, "large.xls", 200 << 20)
        while piece := response.read(1 << 20):
            total += len(piece)
        self.assertEqual(total, 200 << 20)
        status = Path(f"/proc/{server.process.pid}/status").read_text()
        peak_kb = int(re.search(r"VmHWM:\s+(\d+) kB", status)[1])
        self.assertLess(peak_kb, 100 * 1024, "the server's peak memory grew with the download")


class NamesTest(unittest.TestCase):
    def test_chinese_name(self):
        response, _ = get("/download/chinese.xls")
        value = response.getheader("Content-Disposition")
        self.assertEqual(value, "attachment; filename=\"report.xls\"; "
                                "filename*=UTF-8''%E6%9C%88%E5%BA%A6%E6%8A%A5%E8%A1%A8.xls")
        self.assertEqual(disposition(value), ("月度报表.xls", "report.xls"))

    def test_named_decodes_back_to_the_name(self):
        for name in (*HOSTILE_NAMES, '月度 "报表".xls', 'a\\"b.xls', "100%+ß;x=y.xls"):
            response, body = get("/download/named?name=" + urllib.parse.quote(name, safe=""))
            value = response.getheader("Content-Disposition")
            self.assertTrue(all(" " <= c <= "~" for c in value), value)
            decoded, fallback = disposition(value)
            self.assertEqual(decoded, name)
            if name.isascii() and name.isprintable():
                self.assertEqual(fallback, name)
            self.assertEqual(len(body), 20000)

    def test_start_page_links_the_hostile_names(self):
        links = Links(get("/")[1].decode())
        named = [urllib.parse.parse_qs(urllib.parse.urlsplit(href).query)["name"][0]
                 for href, _ in links.links if href.startswith("/download/named?")]
        self.assertEqual(sorted(named), sorted(HOSTILE_NAMES))


class PagesTest(unittest.TestCase):
    def test_start_page_shows_the_id_escaped_and_links_every_route(self):
        for query, shown in (("", "（空）"), ("?mac=", "（空）"), ("?mac=00-1A-2B", "00-1A-2B"),
                             ("?mac=%3Cb%3E%26%22x", "&lt;b&gt;&amp;&quot;x")):
            response, body = get("/" + query)
            page = body.decode("utf-8")
            self.assertEqual(response.getheader("Content-Type"), "text/html; charset=utf-8")
            self.assertIn("<title>Larkwell 演示应用</title>", page)
            self.assertIn(f"工作站标识：{shown}", page)
            self.assertNotIn("<b>", page)
        links = Links(page).links
        paths = {urllib.parse.urlsplit(href).path for href, _ in links}
        self.assertLessEqual({"/page/about", "/download/report.xls", "/download/chunked.xls",
                              "/download/close.xls", "/download/large.xls", "/download/slow.xls",
                              "/download/truncated.xls", "/download/stall.xls",
                              "/download/chinese.xls", "/download/named"}, paths)
        for href, text in links:
            self.assertRegex(text, "[\u4e00-\u9fff]", href)
            if not href.startswith(("/download/", "/bad-response")):
                self.assertIn(get(href)[0].status, (200, 302), href)

    def test_redirect_to_this_server_only(self):
        response, _ = get("/redirect?to=/page/about")
        self.assertEqual((response.status, response.getheader("Location")), (302, "/page/about"))
        response, body = get(response.getheader("Location"))
        self.assertIn("<title>关于 Larkwell</title>", body.decode())
        self.assertIn('<a href="/">', body.decode())
        for target in ("//evil.example/", "/\\evil.example/", "http://evil.example/",
                       "/x%0d%0aSet-Cookie:%20a=b", ""):
            response, _ = get("/redirect?to=" + target)
            self.assertEqual((response.status, response.getheader("Location")), (400, None), target)

    def test_unknown_path_is_a_chinese_404_on_a_live_connection(self):
        connection = connect(self)
        connection.request("GET", "/no/such/page")
        response = connection.getresponse()
        self.assertEqual(response.status, 404)
        self.assertEqual(response.getheader("Content-Type"), "text/html; charset=utf-8")
        self.assertIn("页面不存在", response.read().decode("utf-8"))
        connection.request("GET", "/page/about")
        self.assertEqual(connection.getresponse().status, 200)

    def test_bad_response_is_not_http(self):
        raw = Raw(self, "/bad-response")
        self.assertEqual(raw.file.read(), b"this is not HTTP\r\n\r\n")


class ProcessTest(unittest.TestCase):
    def test_request_lines_are_logged(self):
        get("/no/such?x=1&y=%E4")
        server.wait_for_line(r'larkwell-demo: "GET /no/such\?x=1&y=%E4 HTTP/1\.1" 404')
        get("/download/report.xls?size=3")
        server.wait_for_line(r'larkwell-demo: "GET /download/report\.xls\?size=3 HTTP/1\.1" 200')

    def test_signals_stop_it_promptly_with_connections_open(self):
        global server
        shared = server
        try:
            for signum in (signal.SIGTERM, signal.SIGINT):
                server = DemoServer("--port", "0").start()
                stalled, idle = Raw(self, "/download/stall.xls"), connect(self)
                stalled.head()
                idle.request("GET", "/")
                idle.getresponse().read()
                start = time.monotonic()
                self.assertEqual(server.stop(signum), 0)
                self.assertLess(time.monotonic() - start, 2.0)
        finally:
            server = shared

    def test_taken_port_is_exit_2_with_a_message(self):
        with socket.socket() as taken:
            taken.bind(("127.0.0.1", 0))
            taken.listen()
            port = taken.getsockname()[1]
            run = subprocess.run([sys.executable, str(SCRIPT), "--port", str(port)],
                                 capture_output=True, text=True, timeout=10)
        self.assertEqual(run.returncode, 2)
        self.assertRegex(run.stderr, rf"^larkwell-demo: cannot listen on 127\.0\.0\.1:{port}: .+\n$")


if __name__ == "__main__":
    unittest.main()
