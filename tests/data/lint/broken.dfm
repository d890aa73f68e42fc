<NATION 4097 "Broken isle" "Broken army">
<TROOPS GEN1 "General" char 16384> 2 "" 0 0 9 1 100 1 -1</TROOPS>
<TROOPS 1INF "Foot" unit 512> 1 "" 3 4 0 3 40 1-2 0
<TROOPS 2INF "Bows" unit 512> 1 "1" 3 0 0 3 45 0 4</TROOPS>
</NATION>
