// Serves the built site (build/web) as any static web server would, for trying the page and
// for the browser tests:
//
//   node web/tools/serve.mjs [--port 8080] [--root build/web]
//
// Only on 127.0.0.1. Compresses with gzip when the browser asks for it, gives WebAssembly its
// own type (browsers compile it while it downloads only then), and never serves a file outside
// the root. Prints the address once it listens.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';

const repository = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');

const Types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json; charset=utf-8',
  '.webmanifest': 'application/manifest+json; charset=utf-8',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.ttf': 'font/ttf',
  '.woff2': 'font/woff2',
  '.asm': 'text/plain; charset=iso-8859-1',
  '.txt': 'text/plain; charset=utf-8',
  '.map': 'application/json; charset=utf-8',
};
// Already compressed, or too small to gain: sent as they are.
const Uncompressed = new Set(['.png', '.ico', '.woff2']);

export function options(args) {
  const chosen = { port: 8080, root: path.join(repository, 'build', 'web') };
  for (let i = 0; i < args.length; i++) {
    if (args[i] === '--port') chosen.port = Number(args[++i]);
    else if (args[i] === '--root') chosen.root = path.resolve(args[++i]);
    else throw new Error(`serve.mjs: unknown option ${args[i]}; use --port N or --root DIR`);
  }
  if (!Number.isInteger(chosen.port) || chosen.port < 0 || chosen.port > 65535) {
    throw new Error('serve.mjs: --port takes a number from 0 to 65535');
  }
  return chosen;
}

// The file a request's path names inside root, or null when it would leave root.
export function fileFor(root, urlPath) {
  let decoded;
  try {
    decoded = decodeURIComponent(urlPath.split('?')[0].split('#')[0]);
  } catch {
    return null;
  }
  if (decoded.includes('\0')) return null;
  const file = path.resolve(root, '.' + path.posix.normalize('/' + decoded));
  if (file !== root && !file.startsWith(root + path.sep)) return null;
  if (fs.existsSync(file) && fs.statSync(file).isDirectory()) return path.join(file, 'index.html');
  return file;
}

function send(request, response, file) {
  const extension = path.extname(file).toLowerCase();
  const headers = {
    'Content-Type': Types[extension] ?? 'application/octet-stream',
    // The service worker keeps the site for offline use; the server always gives the newest.
    'Cache-Control': 'no-cache',
    'X-Content-Type-Options': 'nosniff',
  };
  const gzip = !Uncompressed.has(extension) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '');
  if (gzip) {
    headers['Content-Encoding'] = 'gzip';
    headers['Vary'] = 'Accept-Encoding';
  }
  response.writeHead(200, headers);
  if (request.method === 'HEAD') {
    response.end();
    return;
  }
  const body = fs.createReadStream(file);
  (gzip ? body.pipe(zlib.createGzip()) : body).pipe(response);
}

export function serve({ port, root }) {
  const server = http.createServer((request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405, { Allow: 'GET, HEAD' }).end();
      return;
    }
    const file = fileFor(root, request.url ?? '/');
    if (!file) {
      response.writeHead(403, { 'Content-Type': 'text/plain' }).end('Forbidden\n');
      return;
    }
    fs.stat(file, (error, stats) => {
      if (error || !stats.isFile()) {
        response.writeHead(404, { 'Content-Type': 'text/plain' }).end('Not found\n');
        return;
      }
      send(request, response, file);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => resolve(server));
  });
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  try {
    const chosen = options(process.argv.slice(2));
    if (!fs.existsSync(path.join(chosen.root, 'index.html'))) {
      console.error(`serve.mjs: ${chosen.root} holds no site; build it with scripts/build-web.sh`);
      process.exit(1);
    }
    const server = await serve(chosen);
    console.log(`Corvane is served on http://127.0.0.1:${server.address().port}/`);
  } catch (error) {
    console.error(error.message);
    process.exit(1);
  }
}
