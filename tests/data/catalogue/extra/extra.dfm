<NATION 3 "Third" "Third army">
<TROOPS GEN3 "Warlord" char 16384> 3 "" 0 0 8 1 90 1 -1
</TROOPS>
</NATION>
<NATION 4 "New fourth" "Fourth army, revised">
<INFO>Replaced fourth.</INFO>
<TROOPS NEW1 "New guard" unit 512> 2 "" 3 4 0 3 50 1 2
</TROOPS>
</NATION>
<SPECIAL RG15 "Range 15cm., again" 0>
<INFO>A second text for the same rule.</INFO>
</SPECIAL>
