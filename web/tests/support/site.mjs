// The built site served from a local server, and Debian's Chromium to open it in.

import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { createServer } from 'node:net';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

export const RepositoryRoot = path.resolve(fileURLToPath(import.meta.url), '../../../..');
export const SiteRoot = path.join(RepositoryRoot, 'build', 'web');
const ServeScript = path.join(RepositoryRoot, 'web', 'tools', 'serve.mjs');

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.once('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

// Resolves once the server has printed its address.
function waitForAddress(server, address) {
  return new Promise((resolve, reject) => {
    let printed = '';
    server.stdout.on('data', (chunk) => {
      printed += chunk;
      if (printed.includes(address)) {
        resolve();
      }
    });
    server.once('exit', (code) => reject(new Error(`serve.mjs ended (${code}): ${printed}`)));
  });
}

// serve.mjs on a free port for build/web; stop() ends it.
export async function startServer() {
  if (!existsSync(path.join(SiteRoot, 'index.html'))) {
    throw new Error(`${SiteRoot} has no index.html: run scripts/build-web.sh first`);
  }
  const port = await freePort();
  const url = `http://127.0.0.1:${port}/`;
  const server = spawn(process.execPath, [ServeScript, '--port', String(port), SiteRoot], {
    stdio: ['ignore', 'pipe', 'inherit'],
  });
  await waitForAddress(server, url);
  return {
    url,
    stop: () =>
      new Promise((resolve) => {
        server.once('exit', resolve);
        server.kill();
      }),
  };
}

// Debian's own browser, headless; never a downloaded one.
export function launchBrowser() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
}

// Opens the page in a fresh context and waits until its engine is ready.
export async function openPage(browser, url, contextOptions = {}) {
  const context = await browser.newContext({ acceptDownloads: true, ...contextOptions });
  const page = await context.newPage();
  const failures = [];
  page.on('pageerror', (error) => failures.push(error));
  await page.goto(url);
  await waitForEngine(page);
  return { context, page, failures };
}

export async function waitForEngine(page) {
  await page.waitForFunction(() => Boolean(window.corvane?.session));
}

// One server and one browser for a test file: before() starts them, after() ends them.
export function sharedSite() {
  const site = {};
  site.start = async () => {
    site.server = await startServer();
    site.browser = await launchBrowser();
    site.url = site.server.url;
  };
  site.stop = async () => {
    await site.browser?.close();
    await site.server?.stop();
  };
  return site;
}
