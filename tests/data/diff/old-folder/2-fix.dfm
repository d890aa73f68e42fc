The current Sea Raiders; they replace the stale ones of 1-base.dfm.

<NATION 3 "Sea Raiders" "Sea raider host">
<INFO>They come with the tide.</INFO>
<TROOPS SKIP "Skipper" char 8192> 2 "" 0 0 9 1 90 1 -1 1</TROOPS>
<TROOPS REED "Reedspears" unit 512> 3 "" 3 5 0 3 5 2 0
<SRULE>SHLD</SRULE></TROOPS>
<TROOPS BOWS "Bowmen" unit 512> 2 "1" 3 0 0 3 55 0 4</TROOPS>
<TROOPS OARS "Oarsmen" unit 512> 3 "" 3 6 0 3 40 -2 4<LIMIT>REED</LIMIT></TROOPS>
<TROOPS WHAL "Whale" moun 2> 4 "" 0 0 0 1 60 0 1<LIMIT>SKIP</LIMIT></TROOPS>
<TROOPS nomo "No mount" moun 2> 0 "" 0 0 0 0 0 0 0<LIMIT>SKIP</LIMIT></TROOPS>
</NATION>

