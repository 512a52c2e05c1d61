// Builds the site in build/web from the page's sources and the engine's WebAssembly module:
//
//   node web/tools/build-site.mjs [--wasm build/wasm/browser] [--out build/web]
//
// The site is plain static files: the page (web/static, with web/src/main.js and the engine's
// glue bundled into app.js), the engine's WebAssembly in engine/, the manual in manual/, the
// examples in examples/, Debian's Liberation fonts in fonts/ and the icon in icons/. The
// service worker gets the list of every file and a version made from their contents, so a
// changed site replaces the cache.
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
// The engine's module as em++ builds it: the glue is bundled into app.js, the .wasm copied.
const GlueFile = 'corvane-engine.js';
const WasmFile = 'corvane-engine.wasm';
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

// The page's script is one classic script holding the page and the engine's glue. The
// service worker's cache then keeps its compiled code from the first visit on (browsers do
// that for classic scripts cached while the worker installs), so a later visit need not
// parse it again. Only the WebAssembly stays a file of its own, in engine/.
async function bundle(wasm, out) {
  const entry = path.join(repository, 'web', 'src', 'main.js');
  const glue = path.join(wasm, GlueFile);
  const esbuild = await import('esbuild');
  await esbuild.build({
    entryPoints: [entry],
    bundle: true,
    format: 'iife',
    minify: true,
    target: ['chrome100', 'firefox100'],
    // The glue finds its .wasm through locateFile, not through its own address.
    define: { 'import.meta.url': 'undefined' },
    plugins: [
      {
        name: 'corvane-engine',
        setup(build) {
          build.onResolve({ filter: /^corvane-engine$/ }, () => ({ path: glue }));
        },
      },
    ],
    outfile: path.join(out, 'app.js'),
    logLevel: 'warning',
  });
}

function checkModule(wasm) {
  for (const file of [GlueFile, WasmFile]) {
    const from = path.join(wasm, file);
    if (!fs.existsSync(from)) {
      throw new Error(`build-site.mjs: ${from} is missing; build the module first (scripts/build-web.sh)`);
    }
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
  checkModule(wasm);
  await bundle(wasm, out);
  copy(path.join(wasm, WasmFile), path.join(out, 'engine', WasmFile));
  copyAssets(out);
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
