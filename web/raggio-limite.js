'use strict';
// The page's face on the engine: builds the window from the engine's
// description, passes the boxes' text to the form's rules and does what
// they answer (report, message, pixels, what to say aloud).
(() => {
  const $ = (id) => document.getElementById(id);
  const encoder = new TextEncoder();
  let engine = null;
  let design = null; // the window's description
  let tick = 0;
  let running = false; // the plot's timer: enabled
  let resting = false; // and waiting for the picture to change
  let ratioQuery = null;
  let ratio = 1; // the picture's device pixel ratio

  // A C string of the engine's, as text, and a JSON answer as an object.
  const text = (pointer) => engine.UTF8ToString(pointer);
  const answer = (pointer) => JSON.parse(text(pointer));
  const px = (n) => `${n}px`;

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

  // ------------------------------------------------------------ the window

  // A frame on the window is a fieldset with its legend; a frame in a frame
  // holds one box, which its caption labels.
  function frame(control, inWindow) {
    if (inWindow) {
      const fieldset = document.createElement('fieldset');
      fieldset.append(Object.assign(document.createElement('legend'), { textContent: control.testo }));
      return fieldset;
    }
    const group = Object.assign(document.createElement('div'), { role: 'group' });
    group.classList.add('riquadro');
    const caption = Object.assign(document.createElement('label'), { textContent: control.testo });
    caption.id = `${control.nome.toLowerCase()}-titolo`;
    group.setAttribute('aria-labelledby', caption.id);
    group.append(caption);
    return group;
  }

  function element(control, container) {
    switch (control.tipo) {
      case 'cornice':
        return frame(control, container === $('finestra'));
      case 'casella': {
        const box = Object.assign(document.createElement('input'),
          { type: 'text', autocomplete: 'off', spellcheck: false });
        const caption = container.querySelector('label');
        if (caption) caption.htmlFor = control.nome.toLowerCase();
        return box;
      }
      case 'pulsante':
        return Object.assign(document.createElement('button'), { type: 'button', textContent: control.testo });
      default:
        return Object.assign(document.createElement('span'), { textContent: control.testo });
    }
  }

  // Where the window puts the control, for the style sheet to use.
  function place(node, control) {
    const { x, y, w, h } = control.posto;
    Object.entries({ '--x': x, '--y': y, '--w': w, '--h': h, '--font': control.pixelFont })
      .forEach(([name, value]) => node.style.setProperty(name, px(value)));
    if (control.colore) node.style.setProperty('--colore', control.colore);
    node.classList.add('controllo', control.tipo);
    node.classList.toggle('grassetto', control.grassetto);
    node.classList.toggle('adatta', control.adatta);
    node.classList.toggle('a-capo', control.aCapo);
    node.classList.toggle('asse', control.asse);
  }

  function buildWindow() {
    const window_ = $('finestra');
    window_.style.setProperty('--larghezza', px(design.larghezza));
    window_.style.setProperty('--altezza', px(design.altezza));
    window_.style.setProperty('--font-resoconto', px(design.pixelFontResoconto));
    window_.style.background = design.sfondo;
    const containers = new Map([['', window_]]);
    for (const control of design.controlli) {
      const node = element(control, containers.get(control.dentro));
      node.id = control.nome.toLowerCase();
      place(node, control);
      if (control.descrizione) node.setAttribute('aria-description', control.descrizione);
      node.hidden = control.asse; // the axis captions wait for the plot
      containers.get(control.dentro).append(node);
      containers.set(control.nome, node);
    }
    $('resoconto').setAttribute('aria-label', design.resoconto.nome);
    $('resoconto').setAttribute('aria-description', design.resoconto.descrizione);
    $('grafico').setAttribute('aria-label', design.grafico.nome);
    $('sommario').textContent = design.grafico.descrizione;
  }

  // ------------------------------------------------------------ the rules' answers

  function announce(words) {
    const notice = $('avviso');
    notice.textContent = '';
    // A new node each time, so that the same words are said again.
    requestAnimationFrame(() => { notice.textContent = words; });
  }

  function showError(message) {
    const dialog = $('errore');
    $('errore-testo').textContent = message;
    if (!dialog.open) dialog.showModal();
    $('errore-ok').focus();
  }

  function setTimer(change) {
    if (change === 'resta') return;
    running = change !== 'ferma';
    resting = change === 'riposa';
    clearTimeout(tick);
    tick = 0;
    if (change === 'avvia') scheduleTick();
  }

  // Does what the form's rules answered, in their order.
  function apply(r) {
    setTimer(r.timer);
    const report = $('resoconto');
    if (r.pulisci) {
      report.hidden = true;
      report.textContent = '';
    }
    if (r.sfondo) $('finestra').style.background = r.sfondo;
    if (r.assi !== null) {
      $('finestra').classList.toggle('grafico', r.assi);
      $('grafico').hidden = !r.assi;
      $('salva').disabled = !r.assi;
      document.querySelectorAll('.asse').forEach((caption) => { caption.hidden = !r.assi; });
    }
    if (r.grafico) $('sommario').textContent = r.sommario;
    if (r.resoconto !== null) {
      report.textContent = r.resoconto;
      report.hidden = false;
    }
    if (r.disegna) draw();
    if (r.annuncio) announce(r.annuncio);
    if (r.errore) showError(r.errore);
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

  // One drawing; a picture that changed, or stopped on an error, goes onto
  // the canvas.
  function draw() {
    const r = answer(engine._rl_disegna());
    if (r.timer !== 'riposa') copyPixels();
    apply(r);
  }

  // The next tick comes while the picture keeps changing.
  function scheduleTick() {
    tick = setTimeout(() => {
      tick = 0;
      draw();
      if (running && !resting && !tick) scheduleTick();
    }, design.tickMs);
  }

  function calcolo() {
    apply(answer(withStrings([$('text1').value, $('text2').value, $('text4').value],
      (t, s, q) => engine._rl_calcolo(t, s, q))));
  }

  function grafico() {
    watchRatio();
    apply(answer(engine._rl_grafico(ratio)));
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
    setTimer('avvia');
    draw();
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
    context.scale(plot.width / design.larghezza, plot.width / design.larghezza);
    context.textBaseline = 'top';
    const origin = plot.getBoundingClientRect();
    const range = document.createRange();
    for (const label of document.querySelectorAll('.didascalia')) {
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
    design = answer(engine._rl_descrizione());
    buildWindow();
    $('command1').addEventListener('click', calcolo);
    $('command2').addEventListener('click', grafico);
    $('salva').addEventListener('click', salva);
    addEventListener('resize', ratioChanged);
    $('caricamento').hidden = true;
    $('text1').focus();
    performance.mark('pronto');
    document.documentElement.dataset.stato = 'pronto';
  }

  function failed(error) {
    $('caricamento').textContent = `Impossibile avviare il calcolo: ${error}`;
    document.documentElement.dataset.stato = 'guasto';
  }

  // eslint-disable-next-line no-undef
  createRaggio().then(start, failed);
})();
