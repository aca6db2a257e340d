// The page in headless Chromium against the native program, run at test time.
// Usage: node page_test.mjs PAGE.html RAGGIO_LIMITE WINDOW_STATE
// Exit status 0 all passed, 1 a check failed, 77 skipped (no page or no
// Chromium; a failure instead when RAGGIO_WEB_REQUIRED is set).
import { Chromium, chromiumPath } from './Chromium.mjs';
import { execFile, execFileSync, spawnSync } from 'node:child_process';
import { copyFileSync, existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const [pagePath, program, windowTool] = process.argv.slice(2).map((p) => resolve(p));
const only = process.env.RAGGIO_WEB_ONLY?.split(','); // some groups of checks, while working on them
for (const [what, path] of [['page', pagePath], ['chromium', chromiumPath]]) {
  if (!existsSync(path)) {
    console.log(`SKIP: no ${what} at ${path}`);
    process.exit(process.env.RAGGIO_WEB_REQUIRED ? 1 : 77);
  }
}

// A table of cases from a file beside this one: a case a line, its fields
// tab-separated; lines starting with "#" say what the fields are.
const table = (name) => readFileSync(new URL(name, import.meta.url), 'utf8').split('\n')
  .filter((line) => line && !line.startsWith('#')).map((line) => line.split('\t'));
const work = mkdtempSync(join(tmpdir(), 'raggio-web-'));
const MB = 1 << 20;
// Those of the file, and texts longer than a command line can pass, which
// the native program gets as nativeTexts.
const calcoli = [...table('calcoli.tsv'),
  ['1 MB incollato', `60${' x'.repeat(MB / 2)}`, '35', '10', ['60 x', '35', '10']],
  ['1 MB di cifre', `1${'0'.repeat(MB)}`, '35', '10', [`1${'0'.repeat(1000)}`, '35', '10']],
];
const grafici = [['esempio', '60', '35', '10'], ['caldo e salato', '85', '40', '-30'],
  ['punto oltre il grafico', '60', '35', '-5000'], ['dopo un errore', '50', '30', '0']];
const ratios = [1, 1.5, 2];

let failures = 0;
let count = 0;
function check(name, ok, detail = '') {
  count += 1;
  if (ok) console.log(`ok ${count} - ${name}`);
  else {
    failures += 1;
    console.log(`not ok ${count} - ${name}\n  # ${String(detail).slice(0, 2000).replace(/\n/g, '\n  # ')}`);
  }
}
const same = (name, got, want) => check(name, JSON.stringify(got) === JSON.stringify(want),
  `got  ${JSON.stringify(got)}\n want ${JSON.stringify(want)}`);

function native(args) {
  const r = spawnSync(program, ['calcolo', '--', ...args], { encoding: 'utf8' });
  return { status: r.status, out: r.stdout, err: r.stderr };
}

// Counts the 10 ms ticks that ran and the pictures put on a canvas, from the
// page's start, and keeps the ticks still to come.
const probe = `window.__ticks = 0; window.__puts = 0; window.__pending = new Set();
  { const later = window.setTimeout, cancel = window.clearTimeout;
    window.setTimeout = (f, ms, ...a) => { if (ms !== 10) return later(f, ms, ...a);
      const id = later(() => { __pending.delete(id); __ticks++; f(); }, ms, ...a);
      __pending.add(id);
      return id; };
    window.clearTimeout = (id) => { __pending.delete(id); cancel(id); }; }
  { const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...a) { __puts++; return put.apply(this, a); }; }`;

// In the page: the boxes set, a button pressed, what the user then sees.
const press = (button, texts = null) => `(() => {
  const $ = (id) => document.getElementById(id);
  ${texts ? `[['text1', 0], ['text2', 1], ['text4', 2]].forEach(([id, i]) => { $(id).value = ${JSON.stringify(texts)}[i]; });` : ''}
  $('${button}').click();
  // After the frame that follows, which brings what the click asked into view.
  return new Promise((done) => requestAnimationFrame(() => done(true))); })()`;
// In the page: the two live regions' texts, as a screen reader gets them.
const voices = "[...document.querySelectorAll('[aria-live]')].map((e) => e.textContent)";
// The words said: the second region's end in a no-break space, which only tells them apart.
const words = `${voices}.join('').replace(/\\u00a0$/, '')`;
const seen = `new Promise((done) => requestAnimationFrame(() => setTimeout(() => {
  const $ = (id) => document.getElementById(id);
  done({ report: $('resoconto').hidden ? null : $('resoconto').textContent,
    dialog: $('errore').open ? { title: $('errore-titolo').textContent, text: $('errore-testo').textContent,
      buttons: [...$('errore').querySelectorAll('button')].map((b) => b.textContent),
      focus: document.activeElement.id } : null,
    live: ${words} });
}, 0)))`;

const kCaptionSlack = 24; // CSS pixels: the window's font is wider than the browser's
// In the page: what the canvas shows now, kept for pixelsDiffer.
const snapshot = `(() => { const c = document.getElementById('grafico');
  window.__shot = { width: c.width, height: c.height,
    pixels: new Uint32Array(c.getContext('2d').getImageData(0, 0, c.width, c.height).data.buffer) };
  return true; })()`;
// In an async function in the page: a PNG's pixels as img and want, once
// the snapshot is found to have its size (else that function returns why).
const pngPixels = (png, whose) => `
  const img = new Image();
  img.src = 'data:image/png;base64,${png}';
  await img.decode();
  if (__shot.width !== img.width || __shot.height !== img.height)
    return 'size ' + __shot.width + 'x' + __shot.height + ', ${whose} ' + img.width + 'x' + img.height;
  const reference = new OffscreenCanvas(img.width, img.height).getContext('2d');
  reference.drawImage(img, 0, 0);
  const want = new Uint32Array(reference.getImageData(0, 0, img.width, img.height).data.buffer);`;
// In the page: that snapshot against a PNG, every pixel, or outside the
// captions' boxes for a picture whose captions the browser wrote.
const pixelsDiffer = (png, ratio, outsideCaptions = false) => `(async () => {
  ${pngPixels(png, 'the window')}
  const got = __shot.pixels;
  const origin = document.getElementById('finestra').getBoundingClientRect();
  const boxes = ${outsideCaptions} ? [...document.querySelectorAll('.didascalia')].map((label) => {
    const b = label.getBoundingClientRect();
    const x = b.left - origin.left - 1, y = b.top - origin.top - 1;
    return [x - 4, y - 2, x + b.width + ${kCaptionSlack}, y + b.height + 2].map((v) => Math.round(v * ${ratio}));
  }) : [];
  let differ = 0, first = '', box = [1e9, 1e9, -1, -1];
  for (let y = 0; y < img.height; ++y)
    for (let x = 0; x < img.width; ++x) {
      const i = y * img.width + x;
      if (got[i] === want[i] || boxes.some(([l, t, r, b]) => x >= l && x < r && y >= t && y < b)) continue;
      if (!differ++) first = 'first at ' + x + ',' + y + ': ' + got[i].toString(16) + ' not ' + want[i].toString(16);
      box = [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x), Math.max(box[3], y)];
    }
  return differ ? differ + ' pixels differ within ' + box + ', ' + first : '';
})()`;
// In the page: each control's box in the window's coordinates, its text and whether it shows.
const controlBoxes = `(() => { const o = document.getElementById('finestra');
  const origin = o.getBoundingClientRect();
  return [...o.querySelectorAll('.controllo')].map((e) => { const b = e.getBoundingClientRect();
    const caption = e.matches('input') ? e.value : e.matches('.riquadro') ? e.querySelector('label').textContent
      : e.matches('fieldset') ? e.querySelector('legend').textContent : e.textContent;
    return { nome: e.id, x: b.left - origin.left - o.clientLeft, y: b.top - origin.top - o.clientTop,
      w: b.width, h: b.height, testo: caption, grassetto: Number(getComputedStyle(e).fontWeight) >= 600,
      sfondo: e.matches('#disegno .didascalia') ? getComputedStyle(e).backgroundColor : '',
      visibile: !e.hidden && e.offsetParent !== null }; }); })()`;

// Invio on the message's OK: done once the page has had the dialog's close
// (at once when no message is open).
async function closeMessage(page) {
  await page.eval(`{ const d = document.getElementById('errore'); window.__closed = !d.open;
    d.addEventListener('close', () => { window.__closed = true; }, { once: true }); }`);
  await page.key('Enter', 'Enter', 13);
  await page.waitFor('window.__closed');
}

// The window's state after the actions (see tools/window_state.cpp): its
// picture under the captions, as base64, and its controls.
// The same actions at the same ratio give the same state: asked once.
function windowState(ratio, actions) {
  const key = JSON.stringify([ratio, actions]);
  if (windowStates.has(key)) return windowStates.get(key);
  const path = join(work, `finestra-${windowStates.size}`);
  execFileSync(windowTool, [String(ratio), ...actions, `save:${path}`], { stdio: 'pipe' });
  const state = { png: readFileSync(`${path}.png`).toString('base64'),
    ...JSON.parse(readFileSync(`${path}.json`, 'utf8')) };
  windowStates.set(key, state);
  return state;
}
const windowStates = new Map();

// The page's controls where the window has them: the same text, the same
// weight, the same visibility, an axis caption the same background, the
// same corner to a pixel, and the same size where the size is the design's
// rather than the font's (an auto-sized caption).
async function sameControls(name, page, window_) {
  const got = await page.eval(controlBoxes);
  const unlike = window_.controlli.flatMap((want) => {
    const have = got.find((g) => g.nome === want.nome.toLowerCase());
    const autoSized = have && /^label[1-8]$/.test(have.nome) && have.w !== 41 && have.w !== 75;
    const near = (a, b) => Math.abs(a - b) <= (autoSized ? 1 : 0.5);
    return have && have.testo === want.testo && have.visibile === want.visibile && have.grassetto === want.grassetto &&
      have.sfondo === want.sfondo &&
      Math.abs(have.x - want.x) <= 0.5 && Math.abs(have.y - want.y) <= 0.5 &&
      near(have.w, want.w) && near(have.h, want.h) ? [] : [{ want, have }];
  });
  same(`${name}: i controlli al posto della finestra`, unlike, []);
}

const pages = []; // every page opened, for their consoles
// A fresh page, copied alone into an empty folder, opened from disk with the
// network cut; at options.hash, a link's part after "#".
// script: more to run before the page's own, after the probe.
async function openPage(browser, options = {}, script = '') {
  const folder = mkdtempSync(join(work, 'pagina-'));
  const copy = join(folder, 'raggio-limite.html');
  copyFileSync(pagePath, copy);
  const page = await browser.newPage();
  pages.push(page);
  await page.send('Page.enable');
  await page.send('Page.addScriptToEvaluateOnNewDocument', { source: probe + script });
  await page.open(pathToFileURL(copy).href + (options.hash ?? ''), options);
  return page;
}

async function calcoliAgainstNative(browser) {
  const page = await openPage(browser);
  for (const [name, t, s, q, nativeTexts] of calcoli) {
    const want = native(nativeTexts ?? [t, s, q]);
    await page.eval(press('command1', [t, s, q]));
    const got = await page.eval(seen);
    if (want.status === 0) {
      const lines = want.out.replace(/\n$/, '').split('\n');
      same(`${name}: il resoconto`, got.report, want.out);
      // The result, then what the boxes' texts were read as.
      const notices = want.err.split('\n').filter((l) => l.startsWith('raggio-limite: avviso: '))
        .map((l) => l.slice('raggio-limite: avviso: '.length));
      const live = [lines.at(-1) + (notices.length ? '.' : ''), ...notices].join(' ');
      // Where the native program got a shorter text, its notice quotes that text.
      const heard = nativeTexts ? got.live.slice(0, live.indexOf('«')) : got.live;
      same(`${name}: la regione viva`, [heard, got.dialog], [nativeTexts ? live.slice(0, live.indexOf('«')) : live, null]);
    } else {
      const message = windowState(1, [`type:${(nativeTexts ?? [t, s, q]).join('|')}`, 'calcolo']).errori[0];
      same(`${name}: il messaggio della finestra`, got.dialog,
        { title: 'Errore', text: message, buttons: ['OK'], focus: 'errore-ok' });
      same(`${name}: nessun resoconto`, [want.status, got.report], [1, null]);
      await closeMessage(page);
      same(`${name}: OK chiude`, await page.eval("document.getElementById('errore').open"), false);
    }
  }
}

// Each box text of the reading table (tests/app/expected/reading/, from the
// rule as the README states it) as typed in each box: its notice under the
// box and as its description, or none and the box's own description.
async function readingNotices(browser) {
  const table = readFileSync(join(dirname(fileURLToPath(import.meta.url)),
    '../app/expected/reading/reading-notices.txt'), 'utf8').trim().split('\n').map((l) => JSON.parse(l));
  const page = await openPage(browser);
  const got = await page.eval(`(() => {
    const $ = (id) => document.getElementById(id);
    document.activeElement.blur();
    return ['text1', 'text2', 'text4'].map((id) => ${JSON.stringify(table.map(([t]) => t))}.map((text) => {
      $(id).value = text;
      $(id).dispatchEvent(new Event('input'));
      return [$(id + '-avviso').textContent, $(id).getAttribute('aria-description')];
    }));
  })()`);
  const own = await page.eval(`['text1', 'text2', 'text4'].map((id) => document.getElementById(id).dataset.descrizione)`);
  same('ogni casella e ogni testo: l\'avviso e la descrizione', got,
    own.map((description) => table.map(([, notice]) => [notice, notice || description])));
}

// The page's own paths: the Stampa scheda and Salva buttons offered as the
// window offers its entries; printed before any Calcolo, a sheet whole and
// without a script error; at every width round the layouts' border, the
// plot whole in its column and the page never wider than the screen.
async function ownPaths(browser) {
  const page = await openPage(browser);
  const offered = () => page.eval("['stampa', 'salva'].map((id) => !document.getElementById(id).disabled)");
  const states = [['all\'avvio', await offered()]];
  for (const [step, texts] of [['Calcolo', ['60', '35', '10']], ['Calcolo fallito', ['60', '35', '16']]]) {
    await page.eval(press('command1', texts));
    if (await page.eval("document.getElementById('errore').open")) await closeMessage(page);
    states.push([step, await offered()]);
  }
  await page.eval(press('command2'));
  states.push(['Grafico', await offered()]);
  same('Stampa scheda e Salva offerti', states,
    [['all\'avvio', [false, false]], ['Calcolo', [true, false]], ['Calcolo fallito', [true, false]],
      ['Grafico', [true, true]]]);

  await page.eval(press('command1', ['60', '35', '10']));
  await page.eval(press('command2'));
  const layouts = [];
  for (let width = 980; width <= 1040; width += 1) {
    await page.resize(width, 900, 1);
    layouts.push(await page.eval(`new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(() => {
      const plot = document.getElementById('disegno').getBoundingClientRect();
      done([document.documentElement.classList.contains('larga'),
        document.scrollingElement.scrollWidth <= innerWidth, plot.right <= innerWidth, plot.left >= 0]);
    })))`));
  }
  const wide = layouts.findIndex(([larga]) => larga);
  same('da 980 a 1040 px: un solo cambio di disposizione, il grafico intero', [
    wide > 0 && layouts.every(([larga], i) => larga === i >= wide),
    layouts.map(([, ...fits], i) => [980 + i, ...fits]).filter(([, ...fits]) => !fits.every(Boolean))],
  [true, []]);

  const fresh = await openPage(browser);
  await fresh.eval("dispatchEvent(new Event('beforeprint'))");
  const { data } = await fresh.send('Page.printToPDF', { paperWidth: 8.27, paperHeight: 11.69, printBackground: true });
  const pdf = join(work, 'scheda-senza-calcolo.pdf');
  writeFileSync(pdf, Buffer.from(data, 'base64'));
  expectedFile('scheda-senza-calcolo.txt', `${execFileSync('pdfinfo', [pdf], { encoding: 'utf8' })
    .split('\n').filter((l) => /^(Pages|Page size):/.test(l)).join('\n')}\n${
    execFileSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' }).replace(/[ \t]+$/gm, '')}`);
}

async function graficiAgainstWindow(browser) {
  for (const ratio of ratios) {
    const page = await openPage(browser, { ratio });
    let ticks = 0;
    for (const [name, ...texts] of grafici) {
      await page.eval(press('command1', texts));
      await page.eval(press('command2'));
      await page.waitFor(plotSettled);
      const want = windowState(ratio, [`type:${texts.join('|')}`, 'calcolo', 'grafico', 'tick']);
      await page.eval(snapshot);
      same(`grafico ${name} a ${ratio}x: i pixel della finestra`,
        await page.eval(pixelsDiffer(want.png, ratio)), '');
      if (want.errori.length === 0) {
        ticks += 1;
        await sameControls(`grafico ${name} a ${ratio}x`, page, want);
      } else {
        same(`grafico ${name} a ${ratio}x: il messaggio`, (await page.eval(seen)).dialog?.text,
          want.errori.at(-1));
        await closeMessage(page);
      }
    }
    same(`a ${ratio}x: un disegno per grafico, un tick se riuscito, poi nulla`,
      await page.eval('[__puts, __ticks]'), [grafici.length, ticks]);
  }
}

// The screen's ratio changes under a shown plot; then "Salva immagine".
// Before the page: every media query it makes is kept with what it last
// matched, so that __ratioChanged() tells of a change those whose answer
// changed and that no event has told yet.
const kRatioQueries = `(() => { const made = []; const matchMedia = window.matchMedia.bind(window);
  window.matchMedia = (query) => { const list = matchMedia(query); const kept = { list, matches: list.matches };
    list.addEventListener('change', () => { kept.matches = list.matches; }); made.push(kept); return list; };
  window.__ratioChanged = () => made.filter((k) => k.list.matches !== k.matches)
    .forEach((k) => { k.matches = k.list.matches; k.list.dispatchEvent(new Event('change')); }); })();`;

async function newRatioAndSaved(browser) {
  const texts = grafici[0].slice(1);
  const page = await openPage(browser, { ratio: 1 }, kRatioQueries);
  await page.eval(press('command1', texts));
  await page.eval(press('command2'));
  await resized(page, 1200, 900, 2); // a zoom: a new ratio and a new viewport
  await page.eval(snapshot);
  const want = windowState(2, [`type:${texts.join('|')}`, 'calcolo', 'grafico', 'tick']).png;
  same('il rapporto passa a 2x: i pixel della finestra', await page.eval(pixelsDiffer(want, 2)), '');
  const captioned = join(work, 'con-didascalie.png');
  execFileSync(program, ['grafico', '-o', captioned, '--scala', '2', '--', ...texts], { stdio: 'pipe' });
  const withCaptions = readFileSync(captioned).toString('base64');
  const folder = mkdtempSync(join(work, 'scaricati-'));
  // Waited for as the browser tells it done (or cancelled), never for a time.
  const downloaded = new Promise((done) => browser.listeners.add((m) => {
    if (m.method === 'Browser.downloadProgress' && m.params.state !== 'inProgress') done(m.params.state);
  }));
  await browser.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder, eventsEnabled: true });
  await page.eval(press('salva'));
  const saved = join(folder, 'raggio-limite.png');
  // A minute only so that a button that downloads nothing fails rather than hangs.
  await Promise.race([downloaded, new Promise((r) => setTimeout(r, 60000))]);
  const png = existsSync(saved) ? readFileSync(saved).toString('base64') : '';
  await page.eval(`(async () => { const img = new Image(); img.src = 'data:image/png;base64,${png}';
    await img.decode(); const c = new OffscreenCanvas(img.width, img.height).getContext('2d');
    c.drawImage(img, 0, 0); window.__shot = { width: img.width, height: img.height,
      pixels: new Uint32Array(c.getImageData(0, 0, img.width, img.height).data.buffer) }; })()`)
    .catch(() => page.eval('window.__shot = { width: 0, height: 0 }'));
  same('Salva immagine: i pixel della finestra fuori dalle didascalie',
    await page.eval(pixelsDiffer(withCaptions, 2, true)), '');
  // The screen's ratio alone changes again (no new viewport, so no resize
  // event). Chromium's emulation tells no media query of it: the change is
  // told to the queries it concerns, as a real screen would.
  await page.resize(1200, 900, 3);
  await page.eval('__ratioChanged()');
  same('il rapporto cambia ancora, solo lui: il grafico a 3x',
    await page.waitFor(`devicePixelRatio === 3 && ${plotSettled}`, 10000).then(() => true, () => false), true);
}

async function firstPlot(browser) {
  for (const ratio of ratios) {
    const window_ = windowState(ratio, ['grafico']);
    const later = windowState(ratio, ['grafico', 'tick']);
    const page = await openPage(browser, { ratio });
    // The click and the snapshot in one task: no tick can come between them.
    await page.eval(`${press('command2')} && ${snapshot}`);
    same(`primo grafico a ${ratio}x, subito`, await page.eval(pixelsDiffer(window_.png, ratio)), '');
    // The first tick draws the whole ray, the second finds nothing new and rests.
    await page.waitFor('__ticks >= 2', 10000);
    await page.eval(snapshot);
    same(`primo grafico a ${ratio}x, dopo i tick`, await page.eval(pixelsDiffer(later.png, ratio)), '');
    same(`primo grafico a ${ratio}x: due disegni, due tick`, await page.eval('[__puts, __ticks]'), [2, 2]);
  }
}

// What a screen reader finds: the names, descriptions and roles that
// Chromium computes, against the window's own.
async function accessibility(browser) {
  const page = await openPage(browser);
  const tree = async () => (await page.send('Accessibility.getFullAXTree')).nodes
    .filter((n) => !n.ignored && n.name?.value)
    .map((n) => [n.role?.value, n.name.value, n.description?.value ?? '']);
  const window_ = windowState(1, []);
  const roles = { Frame1: 'group', Frame2: 'group', Frame3: 'group', Frame5: 'group', Text1: 'textbox',
    Text2: 'textbox', Text4: 'textbox', Command1: 'button', Command2: 'button' };
  const found = await tree();
  const missing = window_.controlli.filter((c) => roles[c.nome] && !found.some(([role, name, description]) =>
    role === roles[c.nome] && name === c.nomeAccessibile && description === c.descrizione));
  same('i nomi e le descrizioni della finestra', missing, []);
  const order = [await page.eval('document.activeElement.id')];
  for (let i = 0; i < 4; ++i) {
    await page.tab();
    order.push(await page.eval('document.activeElement.id'));
  }
  same('ordine del fuoco', order, ['text1', 'text2', 'text4', 'command1', 'command2']);
  await page.eval(press('command1', ['60', '35', '10']));
  await page.eval(press('command2'));
  const summary = 'Grafico: profilo di temperatura a 70 °F dalla superficie a 65 ft, più fredda sotto; ' +
    'raggio limite da 0 yd a 15 ft fino a 950 yd in superficie; punto calcolato a 548 yd e 10 ft.';
  same('il grafico per un lettore di schermo', (await tree()).filter(([r]) => r === 'image'),
    [['image', 'Grafico', summary]]);
  same('il grafico annunciato', (await page.eval(seen)).live, summary);
  await page.eval(press('command1', ['60', '35', '-10']));
  await page.eval(press('command2'));
  same('il grafico sopra la superficie, la quota col segno', (await tree()).filter(([r]) => r === 'image'),
    [['image', 'Grafico', summary.replace('548 yd e 10 ft', '1226 yd e -10 ft')]]);
}

// Keyboard alone: type, Tab, Enter and Space, the dialog closed with Enter.
async function keyboard(browser) {
  const page = await openPage(browser);
  for (const t of ['60', '35', '10']) {
    await page.type(t);
    await page.tab();
  }
  await page.key('Enter', 'Enter', 13);
  same('da tastiera: Calcolo', (await page.eval(seen)).live, 'S=  548 Yd');
  await page.tab();
  await page.key(' ', 'Space', 32);
  same('da tastiera: Grafico', await page.eval("!document.getElementById('grafico').hidden"), true);
  await page.tab(true);
  await page.tab(true);
  await page.key('Backspace', 'Backspace', 8);
  await page.key('Backspace', 'Backspace', 8);
  await page.type('16');
  await page.tab();
  await page.key('Enter', 'Enter', 13);
  same('da tastiera: il messaggio', (await page.eval(seen)).dialog?.focus, 'errore-ok');
  await closeMessage(page);
  // Closed, the message leaves the focus in the box it names.
  same('da tastiera: OK', await page.eval("[document.getElementById('errore').open, document.activeElement.id]"),
    [false, 'text4']);
}

// Phones, tablets and desktops: the layout, the report, the plot, the
// notices, the help, the printed sheet and WCAG 2.2 AA, at each size.
const kDevices = [['telefono', 360, 740, 3], ['telefono grande', 390, 844, 3],
  ['tablet in verticale', 768, 1024, 2], ['tablet in orizzontale', 1024, 768, 2], ['schermo', 1280, 800, 1]];
const axeSource = readFileSync(new URL('./node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
// The window's specified colour that WCAG's contrast would refuse: its red
// note on grey. The phone's layout gives it a darker red.
const kWindowColours = ['#label9'];
const axeViolations = (exempt) => `axe.run(document, { runOnly: { type: 'tag',
    values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] },
    rules: { 'target-size': { enabled: true } } })
  .then((r) => r.violations.flatMap((v) => v.nodes.map((n) => v.id + ' ' + n.target.join(' ')))
    .filter((v) => !${JSON.stringify(exempt)}.some((id) => v === 'color-contrast ' + id)))`;
// In the page: each notice on screen, and where.
const noticesShown = `[...document.querySelectorAll('.avviso-casella, #avvisi li')]
  .filter((e) => e.checkVisibility() && e.textContent)
  .map((e) => ({ where: e.closest('#avvisi') ? 'avvisi' : e.id, text: e.textContent }))`;
// In the page: what of the layout a finger and an eye meet.
const layout = `(() => { const $ = (id) => document.getElementById(id);
  const inView = (e) => { const b = e.getBoundingClientRect();
    return b.left >= 0 && b.right <= innerWidth + 0.5 && b.bottom > 0 && b.top < innerHeight; };
  const small = [...document.querySelectorAll('input, button, #tavola')].filter((e) => e.offsetParent)
    .filter((e) => { const b = e.getBoundingClientRect(); return b.width < 44 || b.height < 44; })
    .map((e) => e.id);
  const outside = [...document.querySelectorAll('.controllo, .azioni button')].filter((e) => e.offsetParent)
    .filter((e) => { const b = e.getBoundingClientRect(); return b.left < 0 || b.right > innerWidth + 0.5; })
    .map((e) => e.id);
  return { sideways: document.scrollingElement.scrollWidth > innerWidth, small, outside,
    report: !$('resoconto').hidden && inView($('resoconto')), plot: !$('tavola').hidden && inView($('tavola')),
    dialogs: [...document.querySelectorAll('dialog[open]')].filter((d) => !inView(d) ||
      d.getBoundingClientRect().top < 0 || d.getBoundingClientRect().bottom > innerHeight).map((d) => d.id) }; })()`;
// In the page: the plot drawn at the size it has on screen, the picture put
// on the canvas and its timer resting: the state to wait for after a change.
const plotSettled = `(() => { const c = document.getElementById('grafico');
  const want = Math.floor(c.getBoundingClientRect().width * devicePixelRatio);
  return Math.abs(c.width - want) <= 1 && __pending.size === 0; })()`;
const plotSize = `(() => { const c = document.getElementById('grafico'); const b = c.getBoundingClientRect();
  return { css: b.width, device: c.width, ratio: devicePixelRatio, fits: document.getElementById('tavola')
    .getBoundingClientRect().right <= innerWidth + 0.5 }; })()`;

// A new screen size or ratio, then the plot as the page has drawn it there:
// waited for past the page's own resize event and the frame after it, since
// before that the canvas still agrees with the old size.
async function resized(page, width, height, ratio, mobile = false) {
  await page.eval(`window.__resized = new Promise((done) => addEventListener('resize',
    () => requestAnimationFrame(() => requestAnimationFrame(done)), { once: true })); true`);
  await page.resize(width, height, ratio, mobile);
  await page.eval('__resized');
  await page.waitFor(plotSettled);
}

async function devicesAt(browser, [name, width, height, ratio]) {
  const phone = width < 1020;
  const page = await openPage(browser, { width, height, ratio, mobile: phone });
  await page.eval(axeSource);
  const expectLayout = (what, got, more = {}) => same(`${name}: ${what}`, got,
    { sideways: false, small: phone ? [] : got.small, outside: [], report: false, plot: false, dialogs: [], ...more });
  same(`${name}: WCAG 2.2 AA all'avvio`, await page.eval(axeViolations(phone ? [] : kWindowColours)), []);
  await page.eval(press('command1', ['60,5', '35', '10']));
  expectLayout('dopo Calcolo, il resoconto in vista', await page.eval(layout), { report: true });
  same(`${name}: il resoconto è quello di calcolo`, (await page.eval(seen)).report, native(['60', '35', '10']).out);
  const notice = '«60,5» letto come 60: il separatore decimale è il punto.';
  same(`${name}: l'avviso, una volta, col risultato`, await page.eval(noticesShown),
    [{ where: 'avvisi', text: `Temperatura (°F): ${notice}` }]);
  same(`${name}: WCAG 2.2 AA col resoconto`, await page.eval(axeViolations(phone ? [] : kWindowColours)), []);
  await printedSheet(page, name);
  await page.eval(press('command2'));
  await page.waitFor(plotSettled);
  expectLayout('dopo Grafico, il grafico in vista', await page.eval(layout), { plot: true });
  const size = await page.eval(plotSize);
  same(`${name}: il grafico nella larghezza, nitido`, [size.fits, size.device >= Math.floor(size.css * size.ratio)], [true, true]);
  await samePlotAs(page, name, ['60,5', '35', '10']);
  same(`${name}: WCAG 2.2 AA col grafico`, await page.eval(axeViolations(phone ? [] : kWindowColours)), []);
  if (phone) {
    await page.eval("document.getElementById('tavola').click()");
    await page.waitFor(plotSettled);
    same(`${name}: toccato, il grafico a grandezza piena`, await page.eval(`[document.getElementById('grafico').width,
      document.scrollingElement.scrollWidth > innerWidth]`), [1001 * ratio, false]);
    await samePlotAs(page, `${name} a grandezza piena`, ['60,5', '35', '10']);
    await page.eval("document.getElementById('tavola').click()");
    const state = `[document.getElementById('text1').value, document.getElementById('resoconto').textContent,
      document.getElementById('tavola').hidden, document.activeElement.id]`;
    const before = await page.eval(state);
    await resized(page, height, width, ratio, true); // rotated
    same(`${name}: ruotato, nulla di perso`, await page.eval(state), before);
    await samePlotAs(page, `${name} ruotato`, ['60,5', '35', '10']);
    await resized(page, width, height, ratio, true);
  }
  await page.eval(press('command1', ['60', '35', '16']));
  expectLayout('il messaggio nello schermo', await page.eval(layout), {});
  await closeMessage(page);
  await page.key('F1', 'F1', 112);
  expectLayout('la guida da F1, nello schermo', await page.eval(layout), { report: false });
  same(`${name}: la guida, aperta sul titolo`, await page.eval(`[document.getElementById('guida').open,
    document.activeElement.id, document.getElementById('guida-titolo').textContent]`),
  [true, 'guida-titolo', 'Guida di Raggio limite']);
  same(`${name}: WCAG 2.2 AA con la guida`, await page.eval(axeViolations([])), []);
  await page.key('Escape', 'Escape', 27);
  await page.eval(press('apri-guida'));
  same(`${name}: la guida dal pulsante`, await page.eval("document.getElementById('guida').open"), true);
}

// The canvas against the window's picture at the ratio the page draws it at:
// its size on screen to the window's, times the screen's ratio; and its red
// pixels (the profile and the ray) against those of "grafico --scala" at
// that very ratio, above the window's red note.
async function samePlotAs(page, name, texts) {
  const ratio = await page.eval(`Number(getComputedStyle(document.documentElement)
    .getPropertyValue('--scala')) * devicePixelRatio`);
  await page.eval(snapshot);
  const want = windowState(ratio, [`type:${texts.join('|')}`, 'calcolo', 'grafico', 'tick']);
  same(`${name}: i pixel della finestra a ${ratio}x`, await page.eval(pixelsDiffer(want.png, ratio)), '');
  const png = join(work, `grafico-${commandLinePlots++}.png`);
  execFileSync(program, ['grafico', '-o', png, '--scala', String(ratio), '--', ...texts], { stdio: 'pipe' });
  same(`${name}: i pixel rossi di grafico --scala ${ratio}`,
    await page.eval(redPixelsDiffer(readFileSync(png).toString('base64'), ratio)), '');
}
let commandLinePlots = 0;
// In the page: the snapshot's pure red pixels against a PNG's, in the rows
// above the window's note (#label9, red text of its own).
const redPixelsDiffer = (png, ratio) => `(async () => {
  ${pngPixels(png, 'grafico')}
  const rows = Math.floor(parseFloat(document.getElementById('label9').style.getPropertyValue('--y')) * ${ratio});
  const red = 0xff0000ff;
  let reds = 0, differ = 0, first = '';
  for (let i = 0; i < rows * img.width; ++i) {
    reds += __shot.pixels[i] === red;
    if ((__shot.pixels[i] === red) === (want[i] === red)) continue;
    if (!differ++) first = 'first at ' + i % img.width + ',' + Math.floor(i / img.width);
  }
  return !reds ? 'no red pixel' : differ ? differ + ' red pixels differ, ' + first : '';
})()`;

// Printing gives the sheet whole on the printer's paper, A4 or US Letter:
// one page with the inputs, the 21 lines and the plot's captions.
const kPapers = [['A4', 8.27, 11.69, /Page size:\s+59\d\.\d+ x 84\d\.\d+ pts \(A4\)/],
  ['Letter', 8.5, 11, /Page size:\s+612 x 792 pts \(letter\)/]];
const kSheetTextRight = 595 - 42.5; // points: A4's width less the sheet's margin
// The inputs' table, each row whole: the box, its text, the value used.
const kSheetInputs = ['Casella Testo immesso Valore usato', 'Temperatura (°F) «60,5» T = 60 °F',
  'Salinità (pt x 1000) «35» sa = 35 pt x 1000', 'Quota di calc. (ft) «10» D= 10 ft'];
async function printedSheet(page, name) {
  await page.eval("dispatchEvent(new Event('beforeprint'))");
  // The 21 lines and the plot's captions, each somewhere in the page's text.
  const lines = [...native(['60', '35', '10']).out.split('\n'),
    ...await page.eval("[...document.querySelectorAll('#disegno .didascalia')].map((e) => e.textContent)")]
    .map((l) => l.replace(/\s+/g, ' ').trim()).filter((l) => l);
  for (const [paper, paperWidth, paperHeight, size] of kPapers) {
    const { data } = await page.send('Page.printToPDF', { paperWidth, paperHeight, printBackground: true });
    const pdf = join(work, `scheda-${name}-${paper}.pdf`);
    writeFileSync(pdf, Buffer.from(data, 'base64'));
    const info = execFileSync('pdfinfo', [pdf], { encoding: 'utf8' });
    const text = execFileSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' }).replace(/\s+/g, ' ');
    // Not shrunk: the range axis's last caption ends at the right margin, as on the window's sheet.
    const words = execFileSync('pdftotext', ['-bbox', pdf, '-'], { encoding: 'utf8' });
    const right = Math.max(...[...words.matchAll(/xMax="([\d.]+)"[^>]*>1000</g)].map((m) => Number(m[1])));
    // The plot's picture as wide as the text, 180 mm (its captions a little past it).
    const [width, ppi] = execFileSync('pdfimages', ['-list', pdf], { encoding: 'utf8' })
      .split('\n')[2].trim().split(/\s+/).filter((_, i) => i === 3 || i === 12).map(Number);
    same(`${name}: la scheda stampata su ${paper}`, [/Pages:\s+1\n/.test(info), size.test(info),
      text.includes('Raggio limite – scheda di calcolo'), [...kSheetInputs, ...lines].filter((l) => !text.includes(l)),
      Math.abs(right - kSheetTextRight) < 3, Math.abs(width / ppi * 25.4 - 180) < 6],
    [true, true, true, [], true, true]);
    if (paper === 'A4') { // and to pixels, pinned
      execFileSync('pdftoppm', ['-png', '-r', '40', '-singlefile', pdf, pdf]);
      expectedFile(`scheda-${name.replace(/ /g, '-')}.png`, readFileSync(`${pdf}.png`));
    }
  }
}

// Every other kind of block a document may hold, on a page of its own, as
// the engine describes them.
const kEveryBlock = JSON.parse(readFileSync(new URL('every-block.json', import.meta.url), 'utf8'));
// Before the page's script: the engine's sheet gets that page after its own.
const everyBlockAfterTheSheet = `{
  let made;
  Object.defineProperty(window, 'createRaggio', { configurable: true, set(f) { made = f; },
    get() { return (...a) => made(...a).then((m) => {
      const sheet = m._rl_scheda;
      const withPage = (ratio) => {
        const doc = JSON.parse(m.UTF8ToString(sheet(ratio)));
        doc.pagine.push({ blocchi: ${JSON.stringify(kEveryBlock)} });
        const bytes = new TextEncoder().encode(JSON.stringify(doc));
        const p = m._malloc(bytes.length + 1);
        m.HEAPU8.set(bytes, p);
        m.HEAPU8[p + bytes.length] = 0;
        return p;
      };
      // Kept: the engine's first call of an export puts the export itself in its place.
      Object.defineProperty(m, '_rl_scheda', { get: () => withPage, set() {} });
      return m;
    }); } });
}`;

// The page writes any document, page by page: the sheet, then a page of
// every other kind of block, on A4 and on US Letter.
async function documents(browser) {
  const page = await openPage(browser, {}, everyBlockAfterTheSheet);
  await page.eval(press('command1', ['60', '35', '10']));
  await page.eval("dispatchEvent(new Event('beforeprint'))");
  for (const [paper, paperWidth, paperHeight] of kPapers) {
    const { data } = await page.send('Page.printToPDF', { paperWidth, paperHeight, printBackground: true });
    const pdf = join(work, `documento-${paper}.pdf`);
    writeFileSync(pdf, Buffer.from(data, 'base64'));
    const pageText = (n) => execFileSync('pdftotext', ['-layout', '-f', n, '-l', n, pdf, '-'], { encoding: 'utf8' })
      .replace(/\s+/g, ' ').trim();
    const second = pageText('2');
    same(`un documento di due pagine su ${paper}`, [
      /Pages:\s+2\n/.test(execFileSync('pdfinfo', [pdf], { encoding: 'utf8' })),
      pageText('1').startsWith('Raggio limite – scheda di calcolo'),
      second],
    [true, true, 'Seconda pagina di prova Nome: ______________________________ Classe: ________ ' +
      'Una tabella Codice Temperatura S A-01 52.3 810 A-02 60 548 Risposte velocità ft/s raggio ft ' +
      'S= 548 Yd fine delle righe Fine della pagina di prova.']);
  }
}

async function devices(browser) {
  for (const device of kDevices) await devicesAt(browser, device);
}

// ------------------------------------------------------------ a phone, with a finger
// The six things once found wrong on a phone, each replayed with the
// sequence that showed it: taps and swipes, a rotation, Calcolo and Grafico.
const kPhones = kDevices.filter(([, width]) => width < 400);
const kPhoneTexts = ['52,3', '36', '4'];

// A tap on the middle of an element, brought into view first as a finger
// would: the tap once the scroll has reached the screen (two frames), done
// when the element has had its click.
async function tapOn(page, id) {
  const [x, y] = await page.eval(`new Promise((done) => { const e = document.getElementById('${id}');
    e.scrollIntoView({ block: 'nearest' });
    window.__clicked = false;
    e.addEventListener('click', () => { window.__clicked = true; }, { once: true });
    requestAnimationFrame(() => requestAnimationFrame(() => { const b = e.getBoundingClientRect();
      done([b.left + b.width / 2, b.top + b.height / 2]); })); })`);
  await page.tap(x, y);
  await page.waitFor('window.__clicked');
}

// In the page: what the plot's box shows. Where the drawing lies in the box
// (its scroll included), the box's size, and from the canvas's own pixels
// where the blue circle of the calculated point (right of the temperature
// panel, whose grid is blue too) and the ray's end at the surface (its
// topmost red pixel) are, in CSS pixels of the drawing; and the ring that
// marks the point on the small plot.
const plotView = `(() => { const t = document.getElementById('tavola'), c = document.getElementById('grafico');
  const a = t.getBoundingClientRect(), b = c.getBoundingClientRect(), k = c.width / b.width;
  const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  const blue = [Infinity, Infinity, -Infinity, -Infinity];
  let end = null;
  for (let y = 0; y < c.height; ++y)
    for (let x = 0; x < c.width; ++x) {
      const i = 4 * (y * c.width + x), r = data[i], g = data[i + 1], bl = data[i + 2];
      if (r === 0 && g === 0 && bl === 255 && x > 0.34 * c.width) {
        blue[0] = Math.min(blue[0], x); blue[1] = Math.min(blue[1], y);
        blue[2] = Math.max(blue[2], x); blue[3] = Math.max(blue[3], y);
      }
      if (!end && r === 255 && g === 0 && bl === 0 && x > 0.34 * c.width) end = [x / k, y / k];
    }
  const ring = document.getElementById('segno'), rb = ring?.getBoundingClientRect();
  const floor = a.top + t.clientTop + t.clientHeight;
  const captions = [...document.querySelectorAll('#disegno .didascalia')].filter((e) => e.checkVisibility());
  const lowest = Math.max(...captions.map((e) => e.getBoundingClientRect().bottom));
  return { whole: t.classList.contains('intera'), scroll: [t.scrollLeft, t.scrollTop],
    cut: captions.filter((e) => e.getBoundingClientRect().bottom > floor + 0.5).map((e) => e.id),
    blank: floor - lowest > 8,
    drawing: [b.left - a.left - t.clientLeft + t.scrollLeft, b.top - a.top - t.clientTop + t.scrollTop],
    box: [t.clientWidth, t.clientHeight], drawingWidth: b.width, onScreen: a.top >= 0 && a.bottom <= innerHeight,
    blue: blue[2] < 0 ? null : [(blue[0] + blue[2] + 1) / 2 / k, (blue[1] + blue[3] + 1) / 2 / k,
      (blue[2] - blue[0] + 1) / k], end,
    ring: ring?.checkVisibility() ? { x: rb.left - b.left + rb.width / 2, y: rb.top - b.top + rb.height / 2,
      across: rb.width } : null }; })()`;

// The plot as a finger finds it: no caption cut at the box's foot, and no
// blank band below the lowest one; small,
// the whole drawing in its box from the corner, the point ringed where the
// canvas has it; enlarged, the drawing from its corner and scrolled within
// it, and just opened, the point and the ray's end inside the part on screen.
async function plotAsSeen(page, name, opened) {
  await page.waitFor(plotSettled);
  const v = await page.eval(plotView);
  const inside = (x) => x >= v.scroll[0] && x <= v.scroll[0] + v.box[0];
  if (v.whole)
    same(`${name}: a grandezza piena${opened ? ', aperto sul punto e sulla fine del raggio' : ''}`,
      { cut: v.cut, blank: v.blank, drawing: v.drawing.map(Math.round),
        within: v.scroll[0] >= 0 && v.scroll[0] + v.box[0] <= v.drawingWidth + 1,
        ...opened && { onScreen: v.onScreen, point: inside(v.blue[0] - v.blue[2] / 2) && inside(v.blue[0] + v.blue[2] / 2),
          end: inside(v.end[0]) } },
      { cut: [], blank: false, drawing: [0, 0], within: true, ...opened && { onScreen: true, point: true, end: true } });
  else
    same(`${name}: piccolo, il disegno intero dall'angolo, il punto cerchiato`,
      { cut: v.cut, blank: v.blank, scroll: v.scroll, drawing: v.drawing.map(Math.round),
        fills: Math.abs(v.drawingWidth - v.box[0]) <= 1,
        ring: v.ring && Math.hypot(v.ring.x - v.blue[0], v.ring.y - v.blue[1]) <= 1.5 && v.ring.across >= 24 },
      { cut: [], blank: false, scroll: [0, 0], drawing: [0, 0], fills: true, ring: true });
  await samePlotAs(page, name, kPhoneTexts);
}

// In the page: the report's lines, each as a range of its text.
const lineRanges = `const lineRanges = () => { const ranges = [];
  const walk = document.createTreeWalker(document.getElementById('resoconto'), NodeFilter.SHOW_TEXT);
  for (let node = walk.nextNode(); node; node = walk.nextNode())
    for (let start = 0; start < node.data.length;) {
      const found = node.data.indexOf('\\n', start), end = found < 0 ? node.data.length : found;
      const range = document.createRange();
      range.setStart(node, start);
      range.setEnd(node, end);
      if (end > start) ranges.push(range);
      start = end + 1;
    }
  return ranges; };`;
// In the page: each report line's pieces on screen. A line cut or scrolled
// sideways, or a continuation not indented, is named by its first words.
const reportLines = `(() => { ${lineRanges} const r = document.getElementById('resoconto'), box = r.getBoundingClientRect();
  const lines = lineRanges().map((range) => {
    const rects = [...range.getClientRects()].filter((q) => q.width > 0);
    return { words: range.toString().trim().split(/\\s+/).slice(0, 2).join(' '), rects }; });
  return { sideways: r.scrollWidth > r.clientWidth,
    cut: lines.filter((l) => l.rects.some((q) => q.left < box.left || q.right > box.right)).map((l) => l.words),
    unindented: lines.filter((l) => l.rects.slice(1).some((q) => q.left <= l.rects[0].left)).map((l) => l.words),
    wrapped: lines.filter((l) => new Set(l.rects.map((q) => Math.round(q.top))).size > 1).length }; })()`;

// In the page: the result's line and every notice shown, each inside the screen.
const resultInView = `(() => { ${lineRanges} const inView = (e) => { const b = e.getBoundingClientRect();
    return b.height > 0 && b.top >= 0 && b.bottom <= innerHeight + 0.5; };
  const last = lineRanges().at(-1);
  const notices = [...document.querySelectorAll('.avviso-casella, #avvisi li')]
    .filter((e) => e.checkVisibility() && e.textContent);
  return [last.toString().trim(), inView(last), notices.map(inView)]; })()`;

// In the page: the help's text, block by block, where it shows: every block
// on screen must be what is found at its middle, not something lying over it.
const helpUncovered = `(() => { const scroller = document.getElementById('guida-testo').getBoundingClientRect();
  return [...document.querySelectorAll('#guida-testo :is(h1, h2, h3, p, li, dt, dd)')].filter((e) => {
    const b = e.getBoundingClientRect(), y = b.top + Math.min(b.height, 16) / 2;
    if (y < scroller.top || y > scroller.bottom) return false;
    const found = document.elementFromPoint(b.left + 2, y);
    return !found || !(e.contains(found) || found.contains(e));
  }).map((e) => e.textContent.slice(0, 40)); })()`;

async function phoneFindings(browser) {
  for (const [name, width, height, ratio] of kPhones) {
    const page = await openPage(browser, { width, height, ratio, mobile: true });
    const at = `${name} ${width}x${height}`;
    // 6: the page's name, in view at the top.
    same(`${at}: il nome della pagina`, await page.eval(`(() => { const h = document.querySelector('main h1');
      const b = h.getBoundingClientRect(); return [h.textContent, h.checkVisibility() && b.height > 10 && b.top >= 0]; })()`),
    ['Raggio limite', true]);
    // 6: Invio in a box does Calcolo; 3: every line of the report whole; 4: the notice in view with the result.
    for (const [i, text] of kPhoneTexts.entries()) {
      await tapOn(page, ['text1', 'text2', 'text4'][i]);
      await page.type(text);
    }
    await page.key('Enter', 'Enter', 13);
    const want = native(kPhoneTexts);
    same(`${at}: Invio in una casella fa Calcolo`, (await page.eval(seen)).report, want.out);
    const lines = await page.eval(reportLines);
    same(`${at}: ogni riga del resoconto intera, a capo con il seguito rientrato`,
      { ...lines, wrapped: lines.wrapped > 0 }, { sideways: false, cut: [], unindented: [], wrapped: true });
    same(`${at}: l'avviso e il risultato insieme nello schermo`, await page.eval(resultInView),
      ['S=  809 Yd', true, [true]]);
    same(`${at}: l'avviso una volta`, (await page.eval(noticesShown)).map((n) => n.where), ['avvisi']);
    // 1 and 2: the plot tapped, swiped and tapped again, Grafico again,
    // rotated, Calcolo and Grafico: never blank, never stale.
    const steps = [ // what is done, and whether it opens the enlarged plot
      ['Grafico', () => tapOn(page, 'command2')],
      ['toccato', () => tapOn(page, 'tavola'), true],
      ['fatto scorrere', async () => {
        const [x, y] = await page.eval(`(() => { const b = document.getElementById('tavola').getBoundingClientRect();
          return [b.left + b.width / 2, b.top + b.height / 2]; })()`);
        await page.eval(`window.__moved = false; document.getElementById('tavola')
          .addEventListener('scrollend', () => { window.__moved = true; }, { once: true })`);
        await page.swipe(x, y, 325, 0);
        await page.waitFor('window.__moved');
      }],
      ['toccato di nuovo', () => tapOn(page, 'tavola')],
      ['Grafico di nuovo', () => tapOn(page, 'command2')],
      ['Calcolo e Grafico', async () => { await tapOn(page, 'command1'); await tapOn(page, 'command2'); }],
      ['ingrandito', () => tapOn(page, 'tavola'), true],
      ['ingrandito, Grafico', () => tapOn(page, 'command2'), true],
      ['ingrandito e ruotato', async () => {
        await resized(page, height, width, ratio, true);
      }],
      ['raddrizzato', async () => {
        await resized(page, width, height, ratio, true);
      }],
      ['rimpicciolito', () => tapOn(page, 'tavola')],
    ];
    for (const [step, act, opened] of steps) {
      await act();
      await plotAsSeen(page, `${at}, ${step}`, opened);
    }
    // 6: a failed Calcolo gives the focus to the box its message names.
    await tapOn(page, 'text4');
    await page.eval("document.getElementById('text4').select()");
    await page.type('20');
    await tapOn(page, 'command1');
    await closeMessage(page);
    same(`${at}: dopo l'errore il fuoco alla quota`, await page.eval(`[document.getElementById('errore').open,
      document.activeElement.id]`), [false, 'text4']);
    // 5: the help's contents, each heading reached from it, nothing over the text.
    await tapOn(page, 'apri-guida');
    const links = await page.eval(`[...document.querySelectorAll('#guida-testo nav a')]
      .map((a) => [a.id = a.id || 'indice-' + a.hash.slice(1), a.hash.slice(1)])`);
    same(`${at}: la guida, con l'indice in cima`, [links.length, await page.eval(helpUncovered)], [11, []]);
    for (const [link, heading] of links) {
      await page.eval(`document.getElementById('${link}').scrollIntoView({ block: 'nearest' })`);
      await tapOn(page, link);
      await page.waitFor(`(() => { const h = document.getElementById('${heading}').getBoundingClientRect();
        const s = document.getElementById('guida-testo');
        return Math.abs(h.top - s.getBoundingClientRect().top) < 2 || s.scrollTop + s.clientHeight >= s.scrollHeight - 1; })()`);
      same(`${at}: dall'indice a «${heading}», il testo scoperto`, [await page.eval(`(() => {
        const h = document.getElementById('${heading}').getBoundingClientRect();
        return h.top >= document.getElementById('guida-testo').getBoundingClientRect().top - 1 && h.bottom <= innerHeight;
      })()`), await page.eval(helpUncovered)], [true, []]);
    }
  }
}

// ------------------------------------------------------------ what a screen reader is told
// The boxes typed and left, Calcolo twice, a failing one by Invio in a box,
// its message closed: at each step the focus, the temperature box's
// description, the two live regions and the dialog, as Chromium gives them
// to a screen reader, against tests/web/expected/voce.txt.
async function spokenWords(browser) {
  const page = await openPage(browser);
  const state = async () => {
    const nodes = (await page.send('Accessibility.getFullAXTree')).nodes;
    const node = (role, name) => nodes.find((n) => !n.ignored && n.role?.value === role && n.name?.value === name);
    const dialog = node('dialog', 'Errore');
    return { fuoco: await page.eval('document.activeElement.id'),
      temperatura: node('textbox', 'Temperatura (°F)')?.description?.value ?? null,
      voci: await page.eval(voices),
      dialogo: dialog ? dialog.description?.value ?? '' : null };
  };
  const steps = [
    ['all\'avvio', async () => {}],
    ...['5', '2', ',', '3'].map((c) => [`scritto «${c}» nella temperatura`, () => page.type(c)]),
    ['Tab alla salinità', () => page.tab()],
    ['36, Tab, 4, Tab a Calcolo', async () => {
      await page.type('36'); await page.tab(); await page.type('4'); await page.tab();
    }],
    ['Invio su Calcolo', () => page.key('Enter', 'Enter', 13)],
    ['Invio su Calcolo, lo stesso risultato', () => page.key('Enter', 'Enter', 13)],
    ['Maiusc+Tab alla quota, 20, Invio nella casella', async () => {
      await page.tab(true);
      await page.eval("document.getElementById('text4').select()");
      await page.type('20');
      await page.key('Enter', 'Enter', 13);
    }],
    ['Invio su OK', () => closeMessage(page)],
  ];
  let told = '';
  for (const [step, act] of steps) {
    await act();
    told += `${step}\n${Object.entries(await state()).map(([k, v]) => `  ${k}: ${JSON.stringify(v)}\n`).join('')}`;
  }
  expectedFile('voce.txt', told);
}

// Against an expected file under tests/web/expected/; rewritten when
// RAGGIO_UPDATE_EXPECTED is set (script/update-expected).
// text: a string, or a picture's bytes.
function expectedFile(name, text) {
  const path = join(dirname(fileURLToPath(import.meta.url)), 'expected', name);
  if (process.env.RAGGIO_UPDATE_EXPECTED) writeFileSync(path, text);
  const want = existsSync(path) ? readFileSync(path, Buffer.isBuffer(text) ? null : 'utf8') : '';
  if (Buffer.isBuffer(text) ? text.equals(want) : want === text) return check(`${name}: come atteso`, true);
  const actual = join(tmpdir(), `raggio-web-${name}`);
  writeFileSync(actual, text);
  const diff = spawnSync('diff', ['-u', path, actual], { encoding: 'utf8' }).stdout;
  check(`${name}: come atteso`, false, diff);
}

async function offline(browser) {
  const page = await openPage(browser);
  same('da disco, senza rete: pronta', await page.eval('document.documentElement.dataset.stato'), 'pronto');
  // What is written on screen around the window once it is ready: no word of the start-up left.
  const textAround = `[...document.body.querySelectorAll('*')].filter((e) => !e.closest('#finestra')
    && e.checkVisibility() && [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()))
    .map((e) => e.textContent.trim())`;
  same('pronta: attorno alla finestra', await page.eval(textAround),
    ['Raggio limite', 'Salva immagine', 'Stampa scheda', 'Guida', 'Verifica', 'Nuovo esercizio', 'Velocità (ft/s)',
      'Raggio (ft)', 'Cos(teta)', 'Teta (rad)', 'S (Yd)', 'Verifica i passi']);
  same('pronta: nessun testo nella finestra fuori dai controlli', await page.eval(`[...document.getElementById('finestra')
    .childNodes].filter((n) => n.nodeType === 3 && n.textContent.trim()).map((n) => n.textContent)`), []);
  same('nessuna richiesta fuori dal file', page.requests.filter((u) => !/^(file|data|blob):/.test(u)), []);
  const tooOld = await openPage(browser, {}, 'delete window.DecompressionStream;');
  same('un browser senza DecompressionStream', await tooOld.eval(`[document.documentElement.dataset.stato,
    document.getElementById('caricamento').textContent]`), ['guasto',
    'Impossibile avviare il calcolo: questo browser non sa decomprimere (manca DecompressionStream)']);
}

// ------------------------------------------------------------ checking a working, exercises, links
// Workings as a student types them (the file says how).
const kWorkings = table('workings.tsv');
const kStepIds = ['velocita', 'raggio', 'coseno', 'teta', 'ascissa'];

// What `verifica` says of a working, as the panel should show it: the
// summary, and each step's verdict, comparison and note (from the text
// form), with the verdicts and notes of the CSV form beside them.
// Both forms asked at once, and every working's at once: the machine's
// cores share the program's start-up.
async function verificaNative([t, s, q, ...steps]) {
  const options = steps.flatMap((v, i) => v ? [`--${kStepIds[i]}=${v}`] : []);
  const run = (format) => new Promise((done) => execFile(program,
    ['verifica', ...options, '--formato', format, '--', t, s, q], (error, stdout, stderr) =>
      done({ status: error ? error.code : 0, stdout, stderr })));
  const [text, csvForm] = await Promise.all([run('testo'), run('csv')]);
  if (!text.stdout) { // refused: the message alone, and the box it names
    const named = text.status === 2 ? kStepIds.find((id, i) => steps[i] && text.stderr.includes(`«${steps[i]}»`)) : null;
    return { sommario: text.stderr.replace(/^raggio-limite: /, '').replace(/ Vedere raggio-limite --help\.\n$|\n$/, ''),
      passi: kStepIds.map(() => null), invalidi: named ? [`passo-${named}`] : [], csv: [] };
  }
  const lines = text.stdout.replace(/\n$/, '').split('\n');
  const passi = [];
  for (const line of lines.slice(2)) {
    const head = line.match(/^\S.*: (giusto|coerente|sbagliato|mancante)$/);
    if (head) passi.push([head[1]]);
    else passi.at(-1).push(line.replace(/^ {4}/, ''));
  }
  const csv = parseCsv(csvForm.stdout).slice(1).map((r) => [r[0], r[3], r[4]]);
  return { sommario: lines[0], passi: passi.map(([esito, confronto, nota = '']) => [esito, confronto, nota]),
    invalidi: passi.flatMap(([esito], i) => esito === 'sbagliato' ? [`passo-${kStepIds[i]}`] : []), csv };
}

function parseCsv(text) {
  const rows = [[]];
  let field = '', quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { field += '"'; ++i; } else if (c === '"') quoted = false; else field += c;
    } else if (c === '"') quoted = true;
    else if (c === ',') { rows.at(-1).push(field); field = ''; } else if (c === '\n') {
      rows.at(-1).push(field.replace(/\r$/, '')); field = ''; rows.push([]);
    } else field += c;
  }
  return rows.filter((r) => r.length > 1);
}

// In the page: the three boxes and the five steps typed, the panel's
// button pressed.
const checkWorking = (texts) => `(() => { const ids = ['text1', 'text2', 'text4',
  ${kStepIds.map((id) => `'passo-${id}'`).join(', ')}];
  ids.forEach((id, i) => { const b = document.getElementById(id); b.value = ${JSON.stringify(texts)}[i];
    b.dispatchEvent(new Event('input')); });
  document.getElementById('verifica-passi').click(); return true; })()`;
// In the page: what the panel shows, step by step, and what was said.
const panelShown = `(() => { const $ = (id) => document.getElementById(id);
  return { sommario: $('verifica-sommario').textContent,
    passi: [...document.querySelectorAll('.passo')].map((p) => { const e = p.querySelector('.esito');
      const word = e.querySelector('strong')?.textContent;
      return word ? [word, e.textContent.slice(word.length + 1), p.querySelector('.nota').textContent] : null; }),
    invalidi: [...document.querySelectorAll('.passo-casella[aria-invalid=true]')].map((b) => b.id),
    csv: [...document.querySelectorAll('.passo')].flatMap((p) => p.querySelector('.esito strong')
      ? [[p.querySelector('input').id.slice(6), p.querySelector('.esito strong').textContent, p.querySelector('.nota').textContent]] : []),
    detto: ${words} }; })()`;

async function workingsAgainstNative(browser) {
  const [page, wants] = await Promise.all([openPage(browser), Promise.all(kWorkings.map(([, ...texts]) => verificaNative(texts)))]);
  for (const [i, [name, ...texts]] of kWorkings.entries()) {
    const want = wants[i];
    await page.eval(checkWorking(texts));
    same(`verifica, ${name}: come raggio-limite verifica`, await page.eval(panelShown), { ...want, detto: want.sommario });
  }
  // A box changed forgets its verdict, Invio in it checks again, a main box
  // changed forgets them all.
  await page.eval(checkWorking(kWorkings[3].slice(1)));
  const before = await page.eval(panelShown);
  await page.eval(`(() => { const b = document.getElementById('passo-raggio'); b.value = '270802.2';
    b.dispatchEvent(new Event('input')); b.focus(); return true; })()`);
  const changed = await page.eval(panelShown);
  await page.key('Enter', 'Enter', 13);
  const entered = await page.eval(panelShown);
  await page.eval(`(() => { const b = document.getElementById('text1'); b.value = '61'; b.dispatchEvent(new Event('input')); return true; })()`);
  const moved = await page.eval(panelShown);
  const want = await verificaNative([...kWorkings[3].slice(1, 5), '270802.2', ...kWorkings[3].slice(6)]);
  same('verifica: una casella cambiata, Invio in essa, poi la temperatura cambiata',
    [changed.passi, entered, [moved.sommario, moved.passi]],
    [before.passi.map((p, i) => i === 1 ? null : p), { ...want, detto: want.sommario }, ['', [null, null, null, null, null]]]);
}

// The row of `esercizi` that lists the code: its three inputs, as numbers
// (the list writes 82 where the box has 82.0).
function exerciseNative(code) {
  if (!exercisesListed.has(code)) {
    const [seed, number] = code.split('-');
    const out = execFileSync(program, ['esercizi', '--numero', String(Number(number)), '--seme', seed], { encoding: 'utf8' });
    exercisesListed.set(code, out.split('\n').find((l) => l.startsWith(`${code},`))?.split(',').slice(1, 4).map(Number) ?? null);
  }
  return exercisesListed.get(code);
}
const exercisesListed = new Map();
// What the page shows of an exercise, as numbers and the line with its code.
const exerciseShown = (got) => [got.caselle.map(Number), got.esercizio.match(/^Esercizio (\d+-\d+): /)?.[1],
  got.esercizio === `Esercizio ${got.esercizio.match(/^Esercizio (\d+-\d+): /)?.[1]}: ${got.caselle[0]} °F, ${got.caselle[1]} ‰, ${got.caselle[2]} ft`];

// In the page: the three boxes, the steps, the exercise line, what was said.
const boxesShown = `(() => { const $ = (id) => document.getElementById(id);
  return { caselle: ['text1', 'text2', 'text4'].map((id) => $(id).value),
    passi: [...document.querySelectorAll('.passo-casella')].map((b) => b.value),
    esercizio: $('esercizio').textContent, detto: ${words} }; })()`;
const followLink = (hash) => `new Promise((done) => {
  addEventListener('hashchange', () => done(location.hash), { once: true }); location.hash = '${hash}'; })`;

// Links: two exercises' codes, against esercizi; the boxes; bad ones told. The
// first opens the page, the others follow it in the same page. What each
// leaves is pinned in tests/web/expected/collegamenti.txt.
const kLinks = ['#esercizio=2027-07', '#esercizio=5-112', '#t=52.3&s=36&q=4', '#t=60%2C5&q=10', '#s=%33%34&t=6%2c5', '#q=7',
  '#esercizio=2027', '#esercizio=2027-0', '#esercizio=7-3740', '#colore=blu', '#t=1&esercizio=2027-07', '#t=1&t=2',
  '#t=%ZZ', '#q=1%2', '#s'];
async function links(browser) {
  const page = await openPage(browser, { hash: kLinks[0] });
  let told = '';
  for (const [i, hash] of kLinks.entries()) {
    if (i) {
      await page.eval(`(() => { document.getElementById('passo-velocita').value = '4900';
        document.querySelectorAll('[aria-live]').forEach((e) => { e.textContent = ''; }); return true; })()`);
      await page.eval(followLink(hash));
    }
    const got = await page.eval(boxesShown);
    const want = i < 2 && exerciseNative(hash.slice('#esercizio='.length));
    if (want) same(`${hash}: come esercizi`, [...exerciseShown(got), got.detto], [want, hash.slice(11), true, got.esercizio]);
    told += `${hash}\n${Object.entries(got).map(([k, v]) => `  ${k}: ${JSON.stringify(v)}\n`).join('')}`;
  }
  expectedFile('collegamenti.txt', told);
  // After a link's exercise, "Nuovo esercizio" gives the next of its set.
  await page.eval(followLink('#esercizio=2027-07'));
  await page.eval(press('nuovo-esercizio'));
  const next = exerciseNative('2027-08');
  const got = await page.eval(boxesShown);
  same('Nuovo esercizio dopo 2027-07', [...exerciseShown(got), got.passi], [next, '2027-08', true, ['', '', '', '', '']]);
  // Seed 7's set holds 3739 exercises: after the last, a new seed's first.
  await page.eval(followLink('#esercizio=7-3739'));
  await page.eval(press('nuovo-esercizio'));
  same('Nuovo esercizio dopo l\'ultimo del seme 7', exerciseShown(await page.eval(boxesShown)).slice(1).map((v) => typeof v === 'string' ? /^[1-9]\d{3}-01$/.test(v) : v), [true, true]);
}

// "Nuovo esercizio" with none on screen: a new seed's first, then its
// second, each the one that esercizi lists under its code.
async function newExercises(browser) {
  const page = await openPage(browser);
  const codes = [];
  for (let i = 0; i < 2; ++i) {
    await page.eval(press('nuovo-esercizio'));
    const got = await page.eval(boxesShown);
    const code = got.esercizio.match(/^Esercizio (\d+-\d+):/)?.[1] ?? '';
    codes.push(code);
    same(`Nuovo esercizio ${i + 1}: come esercizi`, [...exerciseShown(got), got.detto], [exerciseNative(code), code, true, got.esercizio]);
  }
  const [seed, first] = codes[0].split('-');
  same('Nuovo esercizio: un seme nuovo dal primo, poi il seguente',
    [/^[1-9]\d{3}$/.test(seed), first, codes[1]], [true, '01', `${seed}-02`]);
  // A box typed over: the code no longer shows.
  await page.eval(`(() => { const b = document.getElementById('text2'); b.value += '0'; b.dispatchEvent(new Event('input')); return true; })()`);
  same('Nuovo esercizio: cambiata la salinità, il codice sparisce', (await page.eval(boxesShown)).esercizio, '');
}

const reload = async (page) => {
  await page.eval('window.__old = true');
  await page.send('Page.reload');
  await page.waitFor("!window.__old && document.documentElement.dataset.stato === 'pronto'", 10000);
};
const typeInto = (values) => `(() => { Object.entries(${JSON.stringify(values)}).forEach(([id, v]) => {
  const b = document.getElementById(id); b.value = v; b.dispatchEvent(new Event('input')); }); return true; })()`;
// Storage refused outright, or full: the page works, and forgets.
const kNoStorage = [['rifiutata', `Object.defineProperty(window, 'localStorage', { get() { throw new DOMException('no', 'SecurityError'); } });`],
  ['piena', `Storage.prototype.setItem = function () { throw new DOMException('full', 'QuotaExceededError'); };`]];

// The boxes survive a reload; a link already followed is not followed again
// over what was typed since; without storage nothing breaks.
async function reloads(browser) {
  const page = await openPage(browser, { hash: '#esercizio=2027-07' });
  const typed = { text4: '5', 'passo-velocita': '4928,6', 'passo-ascissa': '548' };
  await page.eval(typeInto(typed));
  const before = await page.eval(boxesShown);
  await reload(page);
  const after = await page.eval(boxesShown);
  same('ricaricata: le caselle come prima, il collegamento non seguito di nuovo',
    [after.caselle, after.passi, after.esercizio], [before.caselle, before.passi, before.esercizio]);
  await page.eval(typeInto({ text4: String(exerciseNative('2027-07')[2]) }));
  await reload(page);
  same('ricaricata: il codice dell\'esercizio di nuovo', exerciseShown(await page.eval(boxesShown)).slice(1), ['2027-07', true]);
  for (const [name, script] of kNoStorage) {
    const refusing = await openPage(browser, {}, script);
    await refusing.eval(typeInto({ text1: '60', text2: '35', text4: '10', 'passo-ascissa': '548' }));
    await refusing.eval(press('verifica-passi'));
    await refusing.eval(press('command1'));
    const worked = [(await refusing.eval(panelShown)).sommario, (await refusing.eval(seen)).report];
    await reload(refusing);
    same(`memoria ${name}: la pagina funziona e non ricorda`, [worked, (await refusing.eval(boxesShown)).caselle],
      [[(await verificaNative(['60', '35', '10', '', '', '', '', '548'])).sommario, native(['60', '35', '10']).out], ['', '', '']]);
  }
}

// The panel after a check, on every device: WCAG 2.2 AA, nothing sideways,
// every control big enough for a finger on a phone; and on the smallest,
// reached by keyboard in order, its accessibility tree pinned in
// tests/web/expected/verifica-albero.txt.
async function panelOnDevices(browser) {
  for (const [name, width, height, ratio] of kDevices) {
    const phone = width < 1020;
    const page = await openPage(browser, { width, height, ratio, mobile: phone });
    await page.eval(axeSource);
    await page.eval(checkWorking(kWorkings[3].slice(1)));
    const fit = await page.eval(`(() => { const panel = document.getElementById('verifica');
      return { sideways: document.scrollingElement.scrollWidth > innerWidth,
        small: [...panel.querySelectorAll('input, button')].filter((e) => { const b = e.getBoundingClientRect();
          return b.width < ${phone ? 44 : 24} || b.height < ${phone ? 44 : 24}; }).map((e) => e.id),
        outside: [...panel.querySelectorAll('*')].filter((e) => e.getBoundingClientRect().right > innerWidth + 0.5).map((e) => e.id || e.className) }; })()`);
    same(`${name}: il pannello Verifica nella larghezza, i controlli grandi abbastanza`, fit, { sideways: false, small: [], outside: [] });
    same(`${name}: WCAG 2.2 AA nel pannello Verifica`, await page.eval(axeViolations([]).replace('axe.run(document', "axe.run('#verifica'")), []);
    if (width !== 360) continue;
    await page.eval("document.getElementById('apri-guida').focus()");
    const order = [];
    for (let i = 0; i < 7; ++i) {
      await page.tab();
      order.push(await page.eval('document.activeElement.id'));
    }
    same(`${name}: il pannello da tastiera`, order, ['nuovo-esercizio', ...kStepIds.map((id) => `passo-${id}`), 'verifica-passi']);
    const { nodes } = await page.send('Accessibility.getFullAXTree');
    const byId = new Map(nodes.map((n) => [n.nodeId, n]));
    const region = nodes.find((n) => n.role?.value === 'region' && n.name?.value === 'Verifica');
    const lines = [];
    const walk = (n, depth) => {
      if (!n.ignored && n.role?.value !== 'generic' && n.role?.value !== 'InlineTextBox') {
        const invalid = n.properties?.find((p) => p.name === 'invalid')?.value.value;
        lines.push(`${'  '.repeat(depth)}${n.role?.value} ${JSON.stringify(n.name?.value ?? '')}` +
          `${n.description?.value ? ` — ${JSON.stringify(n.description.value)}` : ''}${invalid && invalid !== 'false' ? ' [non valido]' : ''}`);
        depth += 1;
      }
      (n.childIds ?? []).forEach((id) => byId.has(id) && walk(byId.get(id), depth));
    };
    if (region) walk(region, 0);
    expectedFile('verifica-albero.txt', `${lines.join('\n')}\n`);
  }
}

const browser = await Chromium.launch();
try {
  for (const group of [calcoliAgainstNative, readingNotices, ownPaths, graficiAgainstWindow, newRatioAndSaved,
    firstPlot, accessibility, keyboard, spokenWords, devices, phoneFindings, documents, offline,
    workingsAgainstNative, links, newExercises, reloads, panelOnDevices])
    if (!only || only.includes(group.name)) await group(browser);
  same('nessun errore nella console', pages.flatMap((p) => p.consoleErrors), []);
} catch (error) {
  check('the run', false, error.stack);
} finally {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
}
console.log(`${count - failures} of ${count} checks passed`);
process.exit(failures ? 1 : 0);
