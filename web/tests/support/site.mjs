// The built site served from a local server, and Debian's Chromium to open it in.

import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

export const RepositoryRoot = path.resolve(fileURLToPath(import.meta.url), '../../../..');
export const SiteRoot = path.join(RepositoryRoot, 'build', 'web');
const ServeScript = path.join(RepositoryRoot, 'web', 'tools', 'serve.mjs');

// serve.mjs on a port the system chooses, for build/web; stop() ends it.
export async function startServer() {
  if (!existsSync(path.join(SiteRoot, 'index.html'))) {
    throw new Error(`${SiteRoot} has no index.html: run scripts/build-web.sh first`);
  }
  const server = spawn(process.execPath, [ServeScript, '--port', '0', '--root', SiteRoot], {
    stdio: ['ignore', 'pipe', 'inherit'],
  });
  const url = await printedAddress(server);
  return {
    url,
    stop: () =>
      new Promise((resolve) => {
        server.once('exit', resolve);
        server.kill();
      }),
  };
}

// The address the server prints once it listens.
function printedAddress(server) {
  return new Promise((resolve, reject) => {
    let printed = '';
    server.stdout.on('data', (chunk) => {
      printed += chunk;
      const address = /http:\/\/127\.0\.0\.1:\d+\//.exec(printed);
      if (address) {
        resolve(address[0]);
      }
    });
    server.once('exit', (code) => reject(new Error(`serve.mjs ended (${code}): ${printed}`)));
  });
}

// Debian's own browser, headless; never a downloaded one.
export function launchBrowser() {
  return chromium.launch({ executablePath: '/usr/bin/chromium' });
}

// Opens the page in a fresh context and waits until its engine is ready.
export async function openPage(browser, url) {
  const context = await browser.newContext({ acceptDownloads: true });
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
