// Times the page in headless Chromium, opened from disk on a desktop screen
// at a device pixel ratio of 1 and on a phone's (360 x 740 at 3): loading
// until the engine is ready, one "Calcolo", and one cold "Grafico" (after a
// "Calcolo", onto a cleared picture, pixels on the canvas included). Prints
// the medians in milliseconds, the phone's with "_telefono".
// Usage: node bench/web_bench.mjs build-web/raggio-limite.html
import { Chromium } from '../tests/web/Chromium.mjs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const url = pathToFileURL(resolve(process.argv[2])).href;
const kLoads = 15;
const kClicks = 50;
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Milliseconds of each click on the button, the boxes holding the worked example.
const clicks = (first, timed, n) => `(() => {
  const $ = (id) => document.getElementById(id);
  $('text1').value = '60'; $('text2').value = '35'; $('text4').value = '10';
  const times = [];
  for (let i = 0; i < ${n}; ++i) {
    ${first ? `$('${first}').click();` : ''}
    const start = performance.now();
    $('${timed}').click();
    times.push(performance.now() - start);
  }
  return times; })()`;

const screens = [['', { ratio: 1 }], ['_telefono', { width: 360, height: 740, ratio: 3, mobile: true }]];
const browser = await Chromium.launch();
try {
  for (const [suffix, screen] of screens) {
    const page = await browser.newPage();
    await page.open(url, screen);
    const loads = [];
    for (let i = 0; i < kLoads; ++i) {
      await page.navigate(`${url}?${i}`);
      // From the start of the navigation to the engine being ready.
      loads.push(await page.eval("performance.getEntriesByName('pronto')[0].startTime"));
    }
    const calcolo = await page.eval(clicks(null, 'command1', kClicks));
    const grafico = await page.eval(clicks('command1', 'command2', kClicks));
    console.log(`web_load_ms${suffix}: ${median(loads).toFixed(1)}`);
    console.log(`web_calcolo_ms${suffix}: ${median(calcolo).toFixed(3)}`);
    console.log(`web_grafico_ms${suffix}: ${median(grafico).toFixed(2)}`);
  }
} finally {
  await browser.close();
}
