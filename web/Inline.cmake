# Puts the style sheet, the engine (its WebAssembly already inside it) and
# the page's script into the HTML, so that the page is one file.
# Usage: cmake -DPAGE=… -DSTYLE=… -DENGINE=… -DSCRIPT=… -DOUTPUT=… -P Inline.cmake
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
string(REPLACE "/*@PAGE@*/" "${SCRIPT_text}" page "${page}")
file(WRITE ${OUTPUT}.part "${page}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
