// Usage: node tools/web_screenshot.mjs build-web/raggio-limite.html docs/web.png
// The page in headless Chromium after "Calcolo" and "Grafico" on the worked
// example, for the README.
import { Chromium } from '../tests/web/Chromium.mjs';
import { writeFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [page, out] = process.argv.slice(2);
const browser = await Chromium.launch();
try {
  const tab = await browser.newPage();
  await tab.open(pathToFileURL(resolve(page)).href, { width: 1020, height: 760 });
  for (const text of ['60', '35', '10']) {
    await tab.type(text);
    await tab.tab();
  }
  await tab.key('Enter', 'Enter', 13);
  await tab.tab();
  await tab.key(' ', 'Space', 32);
  await new Promise((r) => setTimeout(r, 200));
  const { data } = await tab.send('Page.captureScreenshot', { format: 'png' });
  writeFileSync(out, Buffer.from(data, 'base64'));
  console.log(out);
} finally {
  await browser.close();
}
