'use strict';
// The page's face on the engine: passes the boxes' text to the exported
// functions and puts back what they return (report, message, pixels).
(() => {
  const $ = (id) => document.getElementById(id);
  const kTickMs = 10; // Timer1's interval
  const kWidth = 1001; // the client area's width in CSS pixels: 15015 twips
  const encoder = new TextEncoder();
  let engine = null;
  let tick = 0;
  let ratioQuery = null;
  let ratio = 1; // the picture's device pixel ratio

  // A C string of the engine's, as text.
  const text = (pointer) => engine.UTF8ToString(pointer);

  // Calls fn with each string as a NUL-ended UTF-8 copy in the engine's memory.
  function withStrings(strings, fn) {
    const pointers = strings.map((s) => {
      const bytes = encoder.encode(s);
      const p = engine._malloc(bytes.length + 1);
      engine.HEAPU8.set(bytes, p);
      engine.HEAPU8[p + bytes.length] = 0;
      return p;
    });
    try {
      return fn(...pointers);
    } finally {
      pointers.forEach((p) => engine._free(p));
    }
  }

  function announce(words) {
    const notice = $('avviso');
    notice.textContent = '';
    // A new node each time, so that the same words are said again.
    requestAnimationFrame(() => { notice.textContent = words; });
  }

  function showError() {
    stopTimer();
    const dialog = $('errore');
    $('errore-testo').textContent = text(engine._rl_testo());
    if (!dialog.open) dialog.showModal();
    $('errore-ok').focus();
  }

  function showPlot(shown) {
    $('finestra').classList.toggle('grafico', shown);
    $('grafico').hidden = !shown;
    $('salva').disabled = !shown;
    for (let i = 1; i <= 8; ++i) $(`label${i}`).hidden = !shown;
  }

  function stopTimer() {
    clearTimeout(tick);
    tick = 0;
  }

  function calcolo() {
    stopTimer();
    showPlot(false);
    const report = $('resoconto');
    report.hidden = true;
    report.textContent = '';
    const ok = withStrings([$('text1').value, $('text2').value, $('text4').value],
      (t, s, q) => engine._rl_calcolo(t, s, q));
    if (!ok) return showError();
    report.textContent = text(engine._rl_testo());
    report.hidden = false;
    const lines = report.textContent.split('\n');
    announce(lines[lines.length - 1]);
  }

  // The engine's picture onto the canvas, at the engine's device size.
  function copyPixels() {
    const canvas = $('grafico');
    const width = engine._rl_larghezza();
    const height = engine._rl_altezza();
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    const bytes = new Uint8ClampedArray(engine.HEAPU8.buffer, engine._rl_pixel(), width * height * 4);
    canvas.getContext('2d').putImageData(new ImageData(bytes, width, height), 0, 0);
  }

  // Draws once: 1 when the picture changed, 0 when not, -1 on an error,
  // after which what was drawn before it stays, as in the window.
  function draw() {
    const result = engine._rl_disegna();
    if (result !== 0) copyPixels();
    if (result < 0) showError();
    return result;
  }

  // The next tick comes while the picture keeps changing.
  function scheduleTick() {
    tick = setTimeout(() => {
      tick = 0;
      if (draw() > 0) scheduleTick();
    }, kTickMs);
  }

  function grafico() {
    stopTimer();
    $('resoconto').hidden = true;
    $('resoconto').textContent = '';
    watchRatio();
    engine._rl_grafico(ratio);
    showPlot(true);
    if (draw() < 0) return;
    scheduleTick();
    // After the drawing, which leaves the range at the surface.
    const summary = text(engine._rl_sommario());
    $('sommario').textContent = summary;
    announce(summary);
  }

  // A zoom or another screen changes the ratio: the picture is drawn again
  // at the new one, as the window does on a new screen. A zoom also resizes
  // the viewport; a move to another screen may only change the resolution.
  function watchRatio() {
    if (ratioQuery) ratioQuery.removeEventListener('change', ratioChanged);
    ratio = window.devicePixelRatio || 1;
    ratioQuery = matchMedia(`(resolution: ${ratio}dppx)`);
    ratioQuery.addEventListener('change', ratioChanged);
  }

  function ratioChanged() {
    if ($('grafico').hidden || (window.devicePixelRatio || 1) === ratio) return;
    watchRatio();
    engine._rl_rapporto(ratio);
    stopTimer();
    if (draw() > 0) scheduleTick();
  }

  // The picture as the window saves it: the plot with its axis captions,
  // each word where the page shows it.
  function salva() {
    const plot = $('grafico');
    const picture = document.createElement('canvas');
    picture.width = plot.width;
    picture.height = plot.height;
    const context = picture.getContext('2d');
    context.drawImage(plot, 0, 0);
    context.scale(plot.width / kWidth, plot.width / kWidth);
    context.textBaseline = 'top';
    const origin = plot.getBoundingClientRect();
    const range = document.createRange();
    for (const label of document.querySelectorAll('.asse, #label9')) {
      const style = getComputedStyle(label);
      const box = label.getBoundingClientRect();
      context.fillStyle = style.backgroundColor;
      context.fillRect(box.left - origin.left, box.top - origin.top, box.width, box.height);
      context.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
      context.fillStyle = style.color;
      const words = label.firstChild;
      for (const word of words.textContent.matchAll(/\S+/g)) {
        range.setStart(words, word.index);
        range.setEnd(words, word.index + word[0].length);
        const at = range.getBoundingClientRect();
        context.fillText(word[0], at.left - origin.left, at.top - origin.top);
      }
    }
    picture.toBlob((blob) => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = 'raggio-limite.png';
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }, 'image/png');
  }

  function start(module) {
    engine = module;
    $('command1').addEventListener('click', calcolo);
    $('command2').addEventListener('click', grafico);
    $('salva').addEventListener('click', salva);
    addEventListener('resize', ratioChanged);
    $('caricamento').hidden = true;
    performance.mark('pronto');
    document.documentElement.dataset.stato = 'pronto';
  }

  function failed(error) {
    $('caricamento').textContent = `Impossibile avviare il calcolo: ${error}`;
    document.documentElement.dataset.stato = 'guasto';
  }

  $('text1').focus();
  // eslint-disable-next-line no-undef
  createRaggio().then(start, failed);
})();
