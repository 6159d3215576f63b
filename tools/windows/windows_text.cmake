# Writes the UTF-8 text file IN to OUT as Windows' own editors expect it: a
# byte-order mark first and CRLF line ends.
#   cmake -DIN=readme.txt -DOUT=program/readme.txt -P windows_text.cmake
file(READ ${IN} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 byte_order_mark)
file(WRITE ${OUT} "${byte_order_mark}${text}")
