<NATION 3 "Twin India" "Indian army">
<TROOPS GEN1 "Raja" char 16384> 2 "" 0 0 9 1 100 1 -1
</TROOPS>
</NATION>
<NATION 5 "Indian" "Indian army of the south">
<TROOPS GEN1 "Raja" char 16384> 2 "" 0 0 9 1 100 1 -1
</TROOPS>
</NATION>
