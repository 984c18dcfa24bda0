#!/usr/bin/python3
"""Serves the phone page's folder on 127.0.0.1, as a static HTTPS host would
serve it: a loopback address is a secure context, so the service worker works
here too. Every answer must be revalidated, so a new build shows on reload.

    serve.py FOLDER [PORT]     (PORT 0 or none: a free port, printed)
"""
import functools
import http.server
import sys

TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".js": "text/javascript", ".css": "text/css", ".html": "text/html; charset=utf-8",
         ".png": "image/png"}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    def __init__(self, *args, cache_control="no-cache", **kwargs):
        self.cache_control = cache_control
        super().__init__(*args, **kwargs)

    def end_headers(self):
        self.send_header("Cache-Control", self.cache_control)
        super().end_headers()

    def log_message(self, *args):
        pass


def server(folder, port=0, cache_control="no-cache"):
    """A server of FOLDER on 127.0.0.1:PORT, not yet serving; a check can make
    it answer as a host that lets browsers keep files (max-age)."""
    handler = functools.partial(Handler, directory=folder, cache_control=cache_control)
    return http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    httpd = server(sys.argv[1], int(sys.argv[2]) if len(sys.argv) == 3 else 0)
    print(f"The calculator: http://127.0.0.1:{httpd.server_address[1]}/ (Ctrl+C stops)", flush=True)
    try:
        httpd.serve_forever()
    except KeyboardInterrupt:
        pass
