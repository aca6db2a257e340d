# Puts the style sheet, the engine's WebAssembly (gzip in base64) and script, the
# page's script and the help into the HTML, so that the page is one file.
# Usage: cmake -DPAGE=… -DSTYLE=… -DENGINE=… -DWASM=… -DSCRIPT=… -DGUIDA=… -DOUTPUT=… -P Inline.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${PAGE} page)
foreach(part STYLE ENGINE SCRIPT)
    file(READ ${${part}} text)
    # The text sits inside <style> or <script>: it must not end the element early.
    string(TOLOWER "${text}" lower)
    string(FIND "${lower}" "</s" closing)
    if(NOT closing EQUAL -1)
        message(FATAL_ERROR "${${part}} contains \"</s\", which would end its element")
    endif()
    set(${part}_text "${text}")
endforeach()
string(REPLACE "/*@STYLE@*/" "${STYLE_text}" page "${page}")
string(REPLACE "/*@ENGINE@*/" "${ENGINE_text}" page "${page}")
# Compressed, the page is less than half as long and read that much sooner.
execute_process(COMMAND gzip -9 -n -c ${WASM} COMMAND base64 -w0
                OUTPUT_VARIABLE wasm RESULTS_VARIABLE failed)
if(NOT failed STREQUAL "0;0" OR wasm STREQUAL "")
    message(FATAL_ERROR "gzip and base64 of ${WASM} failed")
endif()
string(REPLACE "@WASM@" "${wasm}" page "${page}")
string(REPLACE "/*@PAGE@*/" "${SCRIPT_text}" page "${page}")
# The help's body, the same text as the window's help; its heading names the dialog.
file(READ ${GUIDA} guida)
string(REGEX REPLACE ".*<body>\n?" "" guida "${guida}")
string(REGEX REPLACE "</body>.*" "" guida "${guida}")
string(REPLACE "<h1>" "<h1 id=\"guida-titolo\">" guida "${guida}")
string(REPLACE "<!--@GUIDA@-->" "${guida}" page "${page}")
file(WRITE ${OUTPUT}.part "${page}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
