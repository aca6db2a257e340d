// The page's engine build, called under node as the page calls it, against
// the native engine on generated inputs: every report and message must be
// the same, character for character.
// Usage: node engine_test.mjs ENGINE.js NATIVE_REPORTS [COUNT]
// Exit status 0 all equal, 1 a difference, 77 skipped (no engine build; a
// failure instead when RAGGIO_WEB_REQUIRED is set).
import { spawnSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';

const [enginePath, nativeTool] = process.argv.slice(2, 4).map((p) => resolve(p));
const count = Number(process.argv[4] ?? 120000);
if (!existsSync(enginePath)) {
  console.log(`SKIP: no engine build at ${enginePath}`);
  process.exit(process.env.RAGGIO_WEB_REQUIRED ? 1 : 77);
}

// A small seeded generator, so that a failure can be run again.
let seed = 20261207;
const random = () => {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
};
const pick = (items) => items[Math.floor(random() * items.length)];
const between = (low, high) => low + random() * (high - low);

// Temperatures with all their digits, where the angle's last digits and the
// range's floor are most fragile; salinities and depths as typed, odd texts too.
const temperature = () => pick([
  () => String(between(-250, 500)),
  () => between(0, 100).toFixed(Math.floor(between(0, 15))),
  () => String(Math.round(between(-50, 120))),
  () => pick(['', 'abc', '60,5', '1e400', '--5', ' 6e1', '1e-20', '4.6e2', '-212.5']),
])();
const salinity = () => pick([
  () => String(Math.round(between(0, 45))),
  () => String(Math.round(between(-33000, 33000))),
  () => `${Math.round(between(30, 40))}.5`,
  () => pick(['', 'x', '35,7', '-32734', '-32735', '32767', '32768', '1e5']),
])();
const depth = () => pick([
  () => String(Math.round(between(-120, 16))),
  () => String(Math.round(between(-20000, 15))),
  () => between(-100, 15).toFixed(Math.floor(between(0, 3))),
  () => pick(['', 'y', '10,9', '15', '16', '14.5', '15.5', '-32753', '-32754', '-19000']),
])();

const inputs = [['40', '0', '9'], ['64.130485645143', '11', '-6'], ['28.78996067629588', '7', '-85'],
  ['60', '35', '10']];
while (inputs.length < count) inputs.push([temperature(), salinity(), depth()]);

const native = spawnSync(nativeTool, [], {
  input: inputs.map((i) => i.join('\t')).join('\n') + '\n', encoding: 'utf8', maxBuffer: 1 << 30,
});
if (native.status !== 0) {
  console.log(`not ok - the native tool failed: ${native.stderr}`);
  process.exit(1);
}
const want = native.stdout.trimEnd().split('\n').map((line) => JSON.parse(line));

// As web/raggio-limite.js calls the engine: NUL-ended UTF-8 copies in its
// memory; its WebAssembly, which the page holds, from beside the script.
const createRaggio = createRequire(import.meta.url)(enginePath);
const engine = await createRaggio({ wasmBinary: readFileSync(enginePath.replace(/\.js$/, '.wasm')) });
const encoder = new TextEncoder();
function calcolo(texts) {
  const pointers = texts.map((s) => {
    const bytes = encoder.encode(s);
    const p = engine._malloc(bytes.length + 1);
    engine.HEAPU8.set(bytes, p);
    engine.HEAPU8[p + bytes.length] = 0;
    return p;
  });
  try {
    const r = JSON.parse(engine.UTF8ToString(engine._rl_calcolo(...pointers)));
    return r.errore ? `err\n${r.errore}` : `ok\n${r.resoconto}`;
  } finally {
    pointers.forEach((p) => engine._free(p));
  }
}

let differ = 0;
const errors = want.filter((w) => w.startsWith('err')).length;
inputs.forEach((texts, i) => {
  const got = calcolo(texts);
  if (got === want[i]) return;
  if (++differ <= 10) {
    const [a, b] = [got.split('\n'), want[i].split('\n')];
    const line = a.findIndex((l, k) => l !== b[k]);
    console.log(`not ok - ${JSON.stringify(texts)}: line ${line}: page ${JSON.stringify(a[line])}, native ${JSON.stringify(b[line])}`);
  }
});
console.log(`${inputs.length} inputs (${errors} messages): ${differ} differ`);
process.exit(differ || want.length !== inputs.length ? 1 : 0);
