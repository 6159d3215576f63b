# Writes THIRD_PARTY.txt: the copyright notices and licences of the libraries
# the programs contain, each taken as it stands from the copyright file of the
# Debian package the build takes the library from.
#   cmake -DOUT=program/THIRD_PARTY.txt [-DQT=ON] [-DWINDOWS=ON] -P third_party.cmake
# QT adds Qt 6, which the Linux desktop program links as shared libraries;
# WINDOWS writes a byte-order mark and CRLF line ends, for Notepad.
set(doc /usr/share/doc)

# The paragraph of text starting at the line `first` up to the next empty line.
function(paragraph text first result)
  string(FIND "${text}" "\n${first}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "no paragraph \"${first}\" in the copyright file")
  endif()
  math(EXPR start "${start} + 1")
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(FIND "${rest}" "\n\n" end)
  string(SUBSTRING "${rest}" 0 ${end} found)
  set(${result} "${found}\n" PARENT_SCOPE)
endfunction()

function(section title body)
  string(REPEAT "=" 78 rule)
  set(sections "${sections}${rule}\n${title}\n${rule}\n\n${body}\n" PARENT_SCOPE)
endfunction()

set(sections "")
file(READ ${doc}/libstb-dev/copyright stb)
section("stb_image, stb_image_write (stb)" "${stb}")
file(READ ${doc}/libtinygltf-dev/copyright tinygltf)
section("tinygltf" "${tinygltf}")
file(READ ${doc}/nlohmann-json3-dev/copyright json)
section("nlohmann/json" "${json}")
if(QT)
  # Of Qt's long file: the notice of the Qt libraries themselves and the
  # licence under which the program links them.
  file(READ ${doc}/qt6-base-dev/copyright qt)
  paragraph("${qt}" "Files: *" qt_files)
  paragraph("${qt}" "License: LGPL-3" qt_licence)
  section("Qt 6 (qtbase), linked as shared libraries"
          "Upstream-Name: qtbase-everywhere-src\n\n${qt_files}\n${qt_licence}")
endif()

set(text "Puffel: the libraries the programs contain, with their copyright notices and licences.
Puffel に含まれるライブラリの著作権表示とライセンスです。

${sections}")
if(WINDOWS)
  string(REPLACE "\n" "\r\n" text "${text}")
  string(ASCII 239 187 191 byte_order_mark)
  set(text "${byte_order_mark}${text}")
endif()
file(WRITE ${OUT} "${text}")
