// Usage: node tools/web_screenshot.mjs build-web/raggio-limite.html docs
// The page in headless Chromium, for the README: on a desktop screen after
// "Calcolo" and "Grafico" on the worked example (web.png), and on a phone's
// (360 x 740 at 3x) with a decimal comma typed (web-telefono-caselle.png),
// after "Calcolo" (web-telefono-calcolo.png) and after "Grafico"
// (web-telefono-grafico.png), and on an upright tablet's (768 x 1024 at 2x)
// after both (web-tablet.png).
import { Chromium } from '../tests/web/Chromium.mjs';
import { writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [page, folder] = process.argv.slice(2);
const url = pathToFileURL(resolve(page)).href;
const browser = await Chromium.launch();

async function shoot(tab, name) {
  await new Promise((r) => setTimeout(r, 300));
  const { data } = await tab.send('Page.captureScreenshot', { format: 'png' });
  writeFileSync(join(folder, name), Buffer.from(data, 'base64'));
  console.log(join(folder, name));
}

// The three boxes typed from the keyboard, Tab after each.
async function typeBoxes(tab, texts) {
  for (const text of texts) {
    await tab.type(text);
    await tab.tab();
  }
}

try {
  const desktop = await browser.newPage();
  await desktop.open(url, { width: 1020, height: 760 });
  await typeBoxes(desktop, ['60', '35', '10']);
  await desktop.key('Enter', 'Enter', 13);
  await desktop.tab();
  await desktop.key(' ', 'Space', 32);
  await shoot(desktop, 'web.png');

  const phone = await browser.newPage();
  await phone.open(url, { width: 360, height: 740, ratio: 3, mobile: true });
  await typeBoxes(phone, ['60,5', '35', '10']);
  await phone.eval('scrollTo(0, 0)');
  await shoot(phone, 'web-telefono-caselle.png');
  await phone.key('Enter', 'Enter', 13);
  await shoot(phone, 'web-telefono-calcolo.png');
  await phone.eval("document.getElementById('command2').click()");
  await shoot(phone, 'web-telefono-grafico.png');

  const tablet = await browser.newPage();
  await tablet.open(url, { width: 768, height: 1024, ratio: 2, mobile: true });
  await typeBoxes(tablet, ['60', '35', '10']);
  await tablet.key('Enter', 'Enter', 13);
  await tablet.eval("document.getElementById('command2').click()");
  await tablet.eval('scrollTo(0, 0)');
  await shoot(tablet, 'web-tablet.png');
} finally {
  await browser.close();
}
