<!-- Nations for the unit list and unit panel tests: officers that carry magic items, and a nation without troop types. -->
<NATION 4096 "Legion" "Legion army">
<INFO>A legion whose officers may carry its eagle.</INFO>
<TROOPS LEGA "Legate" char 16384> 2 "" 0 0 9 1 100 1 -1 8
<INFO>Commands the legion.
Rides on foot.</INFO>
</TROOPS>
<TROOPS TRIB "Tribune" char 8192> 1 "" 0 0 8 1 50 0 4 8
</TROOPS>
<TROOPS LEGI "Legionaries" unit 512> 3 "" 3 4 0 3 60 2 0
</TROOPS>
<TROOPS nomo "No mount" moun 1> 0 "" 0 0 0 0 0 0 0
<LIMIT>LEGA</LIMIT>
</TROOPS>
</NATION>
<NATION 8192 "Nobody" "Empty army">
</NATION>
