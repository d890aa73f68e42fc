<NATION 3 "Fjéll \ folk" "Army of the 	fells">
<INFO>Line one.
Line "two" with  and .</INFO>
<TROOPS GEN3 "Jarl" char 16384> 3 "" 0 0 9 1 -90 1 -1
</TROOPS>
<TROOPS 1HUS "Huscarls" unit 512> 2 "1/2" 3 5 0 3 65 2 4 12
<UINFO>Picked men.</UINFO><SRULE>SHLD</SRULE><NOBREAK><INFO>Shieldwall men.</INFO>
</TROOPS>
<TROOPS HRSE "Horse" moun 2> 1 "" 0 0 0 1 20 0 1<LIMIT>GEN3</LIMIT>
</TROOPS>
</NATION>
<MICAT 2147483648 "Top bit">
<TRCAT 512 Inf "Infantry">
<TRCAT 16384 Gen "General">
<MITEM horn "Horn of ÿ" 2> 15 -1
<INFO>Blow it.</INFO>
</MITEM>
<ENGINE ramm "Ram" 10>
<INFO>Knocks.</INFO>
</ENGINE>
<SPECIAL SHLD "Shieldwall" 10>
<INFO>Locked shields.</INFO>
</SPECIAL>
