// The built site: everything the page needs is inside it, and the service worker's list and
// version follow its files.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';

import { buildSite } from '../tools/build-site.mjs';

function fakeModule(folder, text) {
  fs.mkdirSync(folder, { recursive: true });
  fs.writeFileSync(path.join(folder, 'corvane-engine.js'), text);
  fs.writeFileSync(path.join(folder, 'corvane-engine.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d]));
}

function workerSite(out) {
  const line = fs.readFileSync(path.join(out, 'sw.js'), 'utf8').match(/^const SITE = (.*);$/m);
  return JSON.parse(line[1]);
}

test('the worker lists every file of the site, and a changed file makes a new version', async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'corvane-site-'));
  const out = path.join(folder, 'web');
  fakeModule(path.join(folder, 'wasm'), 'export default 1;');
  const first = await buildSite({ wasm: path.join(folder, 'wasm'), out });

  for (const file of [
    'index.html',
    'manifest.webmanifest',
    'app.js',
    'engine/corvane-engine.wasm',
    'manual/corvane.html',
    'examples/demo.asm',
    'examples/index.json',
    'fonts/LiberationMono-Regular.ttf',
    'fonts/LiberationSans-Bold.ttf',
    'icons/corvane.svg',
  ]) {
    assert.ok(fs.existsSync(path.join(out, file)), file);
    assert.ok(first.files.includes(file), `${file} is cached`);
  }
  assert.ok(first.files.includes('./'), 'the page by its folder is cached');
  assert.ok(!first.files.includes('sw.js'), 'the worker is not its own file');
  assert.deepEqual(workerSite(out), first);

  fakeModule(path.join(folder, 'wasm'), 'export default 2;');
  const second = await buildSite({ wasm: path.join(folder, 'wasm'), out });
  assert.notEqual(second.version, first.version);
  fs.rmSync(folder, { recursive: true, force: true });
});

test('the manifest makes an installable app that starts at the page', () => {
  const manifest = JSON.parse(fs.readFileSync(new URL('../static/manifest.webmanifest', import.meta.url)));
  assert.equal(manifest.name, 'Corvane');
  assert.equal(manifest.start_url, './');
  assert.equal(manifest.display, 'standalone');
  assert.ok(manifest.icons.length > 0);
});
