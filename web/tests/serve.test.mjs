// The static server: the types browsers insist on, gzip when asked, nothing outside the root.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import zlib from 'node:zlib';

import { serve } from '../tools/serve.mjs';

let server;
let root;

function get(urlPath, headers = {}) {
  return new Promise((resolve, reject) => {
    const request = http.request(
      { host: '127.0.0.1', port: server.address().port, path: urlPath, headers },
      (response) => {
        const chunks = [];
        response.on('data', (chunk) => chunks.push(chunk));
        response.on('end', () => resolve({ response, body: Buffer.concat(chunks) }));
      },
    );
    request.on('error', reject);
    request.end();
  });
}

before(async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'corvane-serve-'));
  root = path.join(folder, 'site');
  fs.mkdirSync(path.join(root, 'engine'), { recursive: true });
  fs.writeFileSync(path.join(root, 'index.html'), '<!doctype html><title>Corvane</title>');
  fs.writeFileSync(path.join(root, 'engine', 'corvane-engine.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d]));
  fs.writeFileSync(path.join(folder, 'secret.txt'), 'outside the site');
  server = await serve({ port: 0, root });
});

after(() => server.close());

test('the folder gives its index page, as HTML', async () => {
  const { response, body } = await get('/');
  assert.equal(response.statusCode, 200);
  assert.match(response.headers['content-type'], /^text\/html/);
  assert.match(body.toString(), /<title>Corvane/);
});

test('WebAssembly goes out as application/wasm, compressed when asked', async () => {
  const { response, body } = await get('/engine/corvane-engine.wasm', { 'Accept-Encoding': 'gzip, br' });
  assert.equal(response.headers['content-type'], 'application/wasm');
  assert.equal(response.headers['content-encoding'], 'gzip');
  assert.deepEqual([...zlib.gunzipSync(body)], [0, 0x61, 0x73, 0x6d]);
});

test('without Accept-Encoding the bytes go out as they are', async () => {
  const { response, body } = await get('/engine/corvane-engine.wasm');
  assert.equal(response.headers['content-encoding'], undefined);
  assert.equal(body.length, 4);
});

test('no path leads outside the site', async () => {
  for (const escape of ['/../secret.txt', '/%2e%2e/secret.txt', '/..%2fsecret.txt', '/engine/../../secret.txt']) {
    const { response, body } = await get(escape);
    assert.notEqual(response.statusCode, 200, escape);
    assert.doesNotMatch(body.toString(), /outside the site/, escape);
  }
});

test('a missing file is 404', async () => {
  const { response } = await get('/nothing.js');
  assert.equal(response.statusCode, 404);
});
