#!/usr/bin/env python3
"""Serves the web page's folder on loopback with the headers a host should send.

    tools/serve-site.py DIR [PORT]

- Content-Security-Policy: the page's own policy (from index.html) with
  frame-ancestors 'none', which only a header can carry;
- Cross-Origin-Opener-Policy: same-origin;
- Cache-Control: no-cache for the service worker and the HTML, so that a new
  release is seen on the next visit (the other files are fetched past the
  HTTP cache by the service worker when a release changes);
- X-Content-Type-Options: nosniff, and the WebAssembly and manifest types;
- an ETag from each file's content, and no answer from file dates: a new
  release whose files keep old dates (copied with their times, unpacked from
  an archive) is never taken for the old one;
- gzip for every file but images, when the browser accepts it.
"""
import argparse
import functools
import gzip
import hashlib
import http.server
import io
import os
import re
import sys
from pathlib import Path

ALWAYS_CHECKED = {'sw.js'}


def page_policy(site):
    html = (site / 'index.html').read_text(encoding='utf-8')
    found = re.search(r'http-equiv="Content-Security-Policy" content="([^"]*)"', html)
    if not found:
        sys.exit(f'{site / "index.html"} has no Content-Security-Policy: nothing to send')
    return f"{found.group(1)}; frame-ancestors 'none'"


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        '.wasm': 'application/wasm',
        '.webmanifest': 'application/manifest+json',
        '.js': 'text/javascript',
        '.svg': 'image/svg+xml',
    }

    def __init__(self, *args, policy, **kwargs):
        self.policy = policy
        super().__init__(*args, **kwargs)

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path) and self.path.split('?', 1)[0].endswith('/'):
            path = os.path.join(path, 'index.html')
        if not os.path.isfile(path):
            return super().send_head()  # a folder's redirect, or 404
        body = Path(path).read_bytes()
        compress = not path.endswith('.png') and 'gzip' in self.headers.get('Accept-Encoding', '')
        if compress:
            body = gzip.compress(body, compresslevel=9, mtime=0)
        etag = '"%s%s"' % (hashlib.sha256(body).hexdigest()[:32], '-gz' if compress else '')
        if etag in (tag.strip() for tag in self.headers.get('If-None-Match', '').split(',')):
            self.send_response(304)
            self.send_header('ETag', etag)
            self.end_headers()
            return None
        self.send_response(200)
        self.send_header('Content-Type', self.guess_type(path))
        self.send_header('Content-Length', str(len(body)))
        self.send_header('Vary', 'Accept-Encoding')
        if compress:
            self.send_header('Content-Encoding', 'gzip')
        self.send_header('Last-Modified', self.date_time_string(os.stat(path).st_mtime))
        self.send_header('ETag', etag)
        self.end_headers()
        return io.BytesIO(body)

    def end_headers(self):
        name = self.path.split('?', 1)[0].split('#', 1)[0].rsplit('/', 1)[-1]
        self.send_header('Content-Security-Policy', self.policy)
        self.send_header('Cross-Origin-Opener-Policy', 'same-origin')
        self.send_header('X-Content-Type-Options', 'nosniff')
        self.send_header('Referrer-Policy', 'no-referrer')
        if name in ALWAYS_CHECKED or name == '' or name.endswith('.html'):
            self.send_header('Cache-Control', 'no-cache')
        super().end_headers()

    def log_message(self, format, *args):
        pass


def main():
    parser = argparse.ArgumentParser(
        description='Serves the built web page (build-wasm/web, or build-web/web after scripts/run --web) '
                    'on 127.0.0.1 with the headers a host should send.')
    parser.add_argument('site', type=Path, help='the folder of the built site, holding index.html')
    parser.add_argument('port', type=int, nargs='?', default=8000, help='the port (default 8000)')
    arguments = parser.parse_args()
    site = arguments.site.resolve()
    port = arguments.port
    if not (site / 'index.html').is_file():
        parser.error(f'{site} holds no index.html: build the site first (scripts/test or scripts/run --web)')
    handler = functools.partial(SiteHandler, directory=str(site), policy=page_policy(site))
    server = http.server.ThreadingHTTPServer(('127.0.0.1', port), handler)
    print(f'serving {site} at http://127.0.0.1:{port}/', flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == '__main__':
    main()
