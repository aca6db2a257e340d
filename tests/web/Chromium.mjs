// Headless Chromium driven through the DevTools protocol over a pipe
// (--remote-debugging-pipe: commands on fd 3, replies on fd 4, each JSON
// message ended by a NUL), so that the tests need nothing from npm.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const chromiumPath = process.env.CHROMIUM || '/usr/bin/chromium';

export class Chromium {
  static async launch() {
    const profile = mkdtempSync(join(tmpdir(), 'raggio-chromium-'));
    const child = spawn(chromiumPath, ['--headless', '--no-sandbox', '--disable-gpu',
      '--remote-debugging-pipe', '--no-first-run', '--no-default-browser-check',
      '--disable-extensions', '--disable-background-networking', '--mute-audio',
      '--disable-dev-shm-usage', // a new root may have no /dev/shm
      '--force-color-profile=srgb', // PNGs decoded as they are, for the pixel checks
      `--user-data-dir=${profile}`, 'about:blank'],
    { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
    const browser = new Chromium(child, profile);
    await browser.send('Target.setDiscoverTargets', { discover: true });
    return browser;
  }

  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = new Set();
    this.stderr = '';
    child.stderr.on('data', (d) => { this.stderr = (this.stderr + d).slice(-4000); });
    let buffer = '';
    child.stdio[4].on('data', (chunk) => {
      buffer += chunk.toString('utf8');
      let end;
      while ((end = buffer.indexOf('\0')) >= 0) {
        this.receive(JSON.parse(buffer.slice(0, end)));
        buffer = buffer.slice(end + 1);
      }
    });
    this.exited = new Promise((resolve) => child.on('exit', resolve));
    this.exited.then(() => {
      for (const { reject } of this.pending.values())
        reject(new Error(`chromium ended: ${this.stderr}`));
    });
  }

  receive(message) {
    if (message.id !== undefined) {
      const call = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
      else call.resolve(message.result);
    } else {
      for (const listener of this.listeners) listener(message);
    }
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    this.child.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    return new Promise((resolve, reject) => this.pending.set(id, { resolve, reject, method }));
  }

  async newPage() {
    const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
    return new Page(this, sessionId);
  }

  async close() {
    try {
      await Promise.race([this.send('Browser.close'), this.exited]);
    } catch { /* already gone */ }
    await Promise.race([this.exited, new Promise((r) => setTimeout(r, 3000))]);
    if (this.child.exitCode === null) this.child.kill('SIGKILL');
    rmSync(this.profile, { recursive: true, force: true });
  }
}

export class Page {
  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.consoleErrors = [];
    this.requests = [];
    browser.listeners.add((m) => {
      if (m.sessionId !== sessionId) return;
      if (m.method === 'Runtime.consoleAPICalled' && ['error', 'assert'].includes(m.params.type))
        this.consoleErrors.push(m.params.args.map((a) => a.value ?? a.description).join(' '));
      else if (m.method === 'Runtime.exceptionThrown')
        this.consoleErrors.push(m.params.exceptionDetails.exception?.description
          ?? m.params.exceptionDetails.text);
      else if (m.method === 'Log.entryAdded' && m.params.entry.level === 'error')
        this.consoleErrors.push(m.params.entry.text);
      else if (m.method === 'Network.requestWillBeSent')
        this.requests.push(m.params.request.url);
    });
  }

  send(method, params) {
    return this.browser.send(method, params, this.sessionId);
  }

  // A phone or a tablet (mobile) honours the page's viewport and has touch.
  async open(url, { offline = true, width = 1280, height = 900, ratio = 1, mobile = false } = {}) {
    await this.send('Runtime.enable');
    await this.send('Log.enable');
    await this.send('Page.enable');
    await this.send('Network.enable');
    await this.send('Network.emulateNetworkConditions',
      { offline, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    await this.send('Emulation.setTouchEmulationEnabled', { enabled: mobile, maxTouchPoints: 5 });
    await this.resize(width, height, ratio, mobile);
    await this.navigate(url);
  }

  resize(width, height, ratio, mobile = false) {
    return this.send('Emulation.setDeviceMetricsOverride',
      { width, height, deviceScaleFactor: ratio, mobile });
  }

  // Loads url and waits until the page says it is ready (or failed to be).
  async navigate(url) {
    await this.send('Page.navigate', { url });
    return this.waitFor('document.documentElement?.dataset.stato', 10000);
  }

  // The value of a JavaScript expression; awaits a promise.
  async eval(expression) {
    const { result, exceptionDetails } = await this.send('Runtime.evaluate',
      { expression, awaitPromise: true, returnByValue: true, userGesture: true });
    if (exceptionDetails)
      throw new Error(`${expression.slice(0, 80)}: ${exceptionDetails.exception?.description
        ?? exceptionDetails.text}`);
    return result.value;
  }

  // Polls an expression until it is truthy; its value.
  async waitFor(expression, timeoutMs = 5000) {
    const until = Date.now() + timeoutMs;
    for (;;) {
      // A page still loading may have no document yet, or lose its context.
      const value = await this.eval(expression).catch(() => undefined);
      if (value) return value;
      if (Date.now() > until) throw new Error(`still false after ${timeoutMs} ms: ${expression}`);
      await new Promise((r) => setTimeout(r, 20));
    }
  }

  async key(key, code = key, keyCode = 0, modifiers = 0) {
    const base = { key, code, windowsVirtualKeyCode: keyCode, modifiers };
    const text = key.length === 1 ? key : key === 'Enter' ? '\r' : undefined;
    await this.send('Input.dispatchKeyEvent', { type: 'keyDown', ...base, text });
    await this.send('Input.dispatchKeyEvent', { type: 'keyUp', ...base });
  }

  tab(shift = false) {
    return this.key('Tab', 'Tab', 9, shift ? 8 : 0);
  }

  type(text) {
    return this.send('Input.insertText', { text });
  }

  // A finger, in CSS pixels of the viewport: a tap, and a swipe from (x, y)
  // by (dx, dy) in ten moves. The page turns them into its clicks and scrolls.
  async tap(x, y) {
    await this.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
    await this.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  }

  async swipe(x, y, dx, dy) {
    await this.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
    for (let i = 1; i <= 10; ++i)
      await this.send('Input.dispatchTouchEvent',
        { type: 'touchMove', touchPoints: [{ x: x + dx * i / 10, y: y + dy * i / 10 }] });
    await this.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  }
}
