// Times the page in headless Chromium, opened from disk on a desktop screen
// at a device pixel ratio of 1 and on a phone's (360 x 740 at 3): loading
// until the engine is ready, one "Calcolo", and one cold "Grafico" (after a
// "Calcolo" of other values than the plot shows, onto a cleared picture,
// pixels on the canvas included). Prints milliseconds: the median load, and
// the mean of the middle half of the clicks (the browser gives a page opened
// from disk its clock in steps of 0.1 ms, which a mean of many smooths); the
// phone's with "_telefono". Given an older page too, it times both by turns,
// in the same browser, and prints the old figure beside the new.
// Usage: node bench/web_bench.mjs PAGE.html [OLD_PAGE.html]
import { Chromium } from '../tests/web/Chromium.mjs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const urls = process.argv.slice(2, 4).map((path) => pathToFileURL(resolve(path)).href);
const kRounds = 5; // each page's turns, on each screen
const kLoads = 3; // per turn
const kClicks = 10; // per turn, after as many to warm up
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const middleMean = (values) => {
  const middle = values.sort((a, b) => a - b).slice(values.length / 4, values.length - values.length / 4);
  return middle.reduce((sum, v) => sum + v, 0) / middle.length;
};

// Milliseconds of each click on the button; before each, the boxes get the
// next of the values and `first` is clicked, untimed.
const kValues = [['60', '35', '10'], ['50', '30', '0']];
const clicks = (first, timed, n) => `(() => {
  const $ = (id) => document.getElementById(id);
  const times = [];
  for (let i = 0; i < ${2 * n}; ++i) {
    ${JSON.stringify(kValues)}[i % ${kValues.length}].forEach((v, box) => { $(['text1', 'text2', 'text4'][box]).value = v; });
    ${first ? `$('${first}').click();` : ''}
    const start = performance.now();
    $('${timed}').click();
    times.push(performance.now() - start);
  }
  return times.slice(${n}); })()`;

// One turn of a page: loads, then clicks on the last load.
async function turn(page, url, figures, round) {
  for (let i = 0; i < kLoads; ++i) {
    await page.navigate(`${url}?${round}-${i}`);
    // From the start of the navigation to the engine being ready.
    figures.load.push(await page.eval("performance.getEntriesByName('pronto')[0].startTime"));
  }
  figures.calcolo.push(...await page.eval(clicks(null, 'command1', kClicks)));
  figures.grafico.push(...await page.eval(clicks('command1', 'command2', kClicks)));
}

const screens = [['', { ratio: 1 }], ['_telefono', { width: 360, height: 740, ratio: 3, mobile: true }]];
const summaries = { load: [median, 1], calcolo: [middleMean, 3], grafico: [middleMean, 2] };
const browser = await Chromium.launch();
try {
  for (const [suffix, screen] of screens) {
    const page = await browser.newPage();
    await page.open(urls[0], screen);
    const figures = urls.map(() => ({ load: [], calcolo: [], grafico: [] }));
    for (let round = 0; round < kRounds; ++round)
      for (let k = 0; k < urls.length; ++k) {
        const which = (k + round) % urls.length; // the side that starts takes turns
        await turn(page, urls[which], figures[which], round);
      }
    for (const [name, [summary, digits]] of Object.entries(summaries)) {
      const [now, before] = figures.map((f) => summary(f[name]).toFixed(digits));
      console.log(`web_${name}_ms${suffix}: ${now}${before === undefined ? '' : ` (vecchia: ${before})`}`);
    }
  }
} finally {
  await browser.close();
}
