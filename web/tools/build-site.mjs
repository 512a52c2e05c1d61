// Builds the site in build/web from the page's sources and the engine's WebAssembly module:
//
//   node web/tools/build-site.mjs [--wasm build/wasm/browser] [--out build/web]
//
// The site is plain static files: the page (web/static, with web/src/main.js bundled into
// app.js), the module in engine/, the manual in manual/, the examples in examples/, Debian's
// Liberation fonts in fonts/ and the icon in icons/. The service worker gets the list of
// every file and a version made from their contents, so a changed site replaces the cache.
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const repository = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
const FontFolder = '/usr/share/fonts/truetype/liberation';
const Fonts = [
  'LiberationMono-Regular.ttf',
  'LiberationMono-Bold.ttf',
  'LiberationSans-Regular.ttf',
  'LiberationSans-Bold.ttf',
];
const ModuleFiles = ['corvane-engine.js', 'corvane-engine.wasm'];
// The service worker's own file is not in its list: the browser fetches it itself.
const WorkerFile = 'sw.js';
const SiteLine = /^const SITE = .*;$/m;

function options(args) {
  const chosen = {
    wasm: path.join(repository, 'build', 'wasm', 'browser'),
    out: path.join(repository, 'build', 'web'),
  };
  for (let i = 0; i < args.length; i++) {
    if (args[i] === '--wasm') chosen.wasm = path.resolve(args[++i]);
    else if (args[i] === '--out') chosen.out = path.resolve(args[++i]);
    else throw new Error(`build-site.mjs: unknown option ${args[i]}; use --wasm DIR or --out DIR`);
  }
  return chosen;
}

function copy(from, to) {
  fs.mkdirSync(path.dirname(to), { recursive: true });
  fs.cpSync(from, to, { recursive: true });
}

async function bundle(out) {
  const entry = path.join(repository, 'web', 'src', 'main.js');
  if (!fs.existsSync(entry)) return;
  const esbuild = await import('esbuild');
  await esbuild.build({
    entryPoints: [entry],
    bundle: true,
    format: 'esm',
    minify: true,
    target: ['chrome100', 'firefox100'],
    // The engine's module is loaded at run time from engine/, not bundled.
    external: ['./engine/*'],
    outfile: path.join(out, 'app.js'),
    logLevel: 'warning',
  });
}

function copyModule(wasm, out) {
  for (const file of ModuleFiles) {
    const from = path.join(wasm, file);
    if (!fs.existsSync(from)) {
      throw new Error(`build-site.mjs: ${from} is missing; build the module first (scripts/build-web.sh)`);
    }
    copy(from, path.join(out, 'engine', file));
  }
}

function copyAssets(out) {
  const manual = path.join(repository, 'docs', 'manual');
  copy(manual, path.join(out, 'manual'));
  const examples = path.join(repository, 'examples');
  const names = fs.readdirSync(examples).filter((name) => name.endsWith('.asm')).sort();
  for (const name of names) copy(path.join(examples, name), path.join(out, 'examples', name));
  fs.writeFileSync(path.join(out, 'examples', 'index.json'), JSON.stringify(names) + '\n');
  for (const font of Fonts) {
    const from = path.join(FontFolder, font);
    if (!fs.existsSync(from)) {
      throw new Error(`build-site.mjs: ${from} is missing; install fonts-liberation`);
    }
    copy(from, path.join(out, 'fonts', font));
  }
  copy(path.join(repository, 'resources', 'corvane.svg'), path.join(out, 'icons', 'corvane.svg'));
}

// Until the page is there, a page that says so, so that the site can be served and tested.
function placeholderPage(out) {
  const page = path.join(out, 'index.html');
  if (fs.existsSync(page)) return;
  fs.writeFileSync(
    page,
    `<!doctype html>
<html lang="en"><head><meta charset="utf-8"><title>Corvane</title>
<link rel="manifest" href="manifest.webmanifest"><link rel="icon" href="icons/corvane.svg"></head>
<body><p>The Corvane page is not built yet; the engine's module is in engine/.</p></body></html>
`,
  );
}

function siteFiles(out, folder = out) {
  return fs
    .readdirSync(folder, { withFileTypes: true })
    .flatMap((entry) => {
      const full = path.join(folder, entry.name);
      return entry.isDirectory() ? siteFiles(out, full) : [path.relative(out, full).split(path.sep).join('/')];
    })
    .filter((file) => file !== WorkerFile)
    .sort();
}

// Every file's path and contents go into the version: any change makes a new cache.
export function siteVersion(out, files) {
  const hash = crypto.createHash('sha256');
  for (const file of files) {
    hash.update(file + '\0');
    hash.update(fs.readFileSync(path.join(out, file)));
  }
  return hash.digest('hex').slice(0, 16);
}

function writeWorker(out) {
  const worker = path.join(out, WorkerFile);
  const source = fs.readFileSync(worker, 'utf8');
  if (!SiteLine.test(source)) throw new Error(`build-site.mjs: ${WorkerFile} has no "const SITE = ...;" line`);
  const files = siteFiles(out);
  const site = { version: siteVersion(out, files), files: ['./', ...files] };
  fs.writeFileSync(worker, source.replace(SiteLine, `const SITE = ${JSON.stringify(site)};`));
  return site;
}

export async function buildSite({ wasm, out }) {
  fs.rmSync(out, { recursive: true, force: true });
  fs.mkdirSync(out, { recursive: true });
  copy(path.join(repository, 'web', 'static'), out);
  await bundle(out);
  copyModule(wasm, out);
  copyAssets(out);
  placeholderPage(out);
  return writeWorker(out);
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  try {
    const chosen = options(process.argv.slice(2));
    const site = await buildSite(chosen);
    console.log(`Site built in ${chosen.out}: ${site.files.length} files, version ${site.version}`);
  } catch (error) {
    console.error(error.message);
    process.exit(1);
  }
}
