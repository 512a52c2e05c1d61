// The engine's WebAssembly, compiled while the page's script is still being read: the page's
// head starts compiling it as it streams in (window.corvaneEngineCode). Where that failed, for
// example on a server that does not send .wasm as application/wasm, it is fetched and
// compiled whole here.
const WasmFile = 'engine/corvane-engine.wasm';

async function compileFetched() {
  const response = await fetch(WasmFile);
  if (!response.ok) throw new Error(`${WasmFile}: ${response.status} ${response.statusText}`);
  return WebAssembly.compile(await response.arrayBuffer());
}

async function compiledEngine() {
  return (await window.corvaneEngineCode) ?? compileFetched();
}

// The glue's instantiateWasm hook: instantiate the compiled code with the glue's imports.
export function engineInstantiation(failed) {
  return (imports, receive) => {
    compiledEngine()
      .then((code) => WebAssembly.instantiate(code, imports).then((instance) => receive(instance, code)))
      .catch(failed);
    return {};
  };
}
