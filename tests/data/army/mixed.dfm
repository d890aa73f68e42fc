<MICAT 1 "Any">
<TRCAT 512 Inf "Infantry">
<TRCAT 8 Ch "Character">
<TRCAT 2 Mo "Mount">
<MITEM ring "Ring" 1> 10 -1</MITEM>
<MITEM nomi "No item" 1> 0 -1</MITEM>
<ENGINE noen "No engine" 0>
</ENGINE>
<ENGINE bara "Ram" 20>
</ENGINE>
<NATION 1 "N" "A">
<TROOPS LORD "Lord" char 8> 1 "" 0 0 9 1 50 1 -1 1</TROOPS>
<TROOPS CAPT "Captain" char 8> 1 "" 0 0 8 1 30 0 3 1</TROOPS>
<TROOPS SPEA "Spears" unit 512> 3 "" 3 4 0 3 40 2 6 0</TROOPS>
<TROOPS POOL "Pool" unit 512> 3 "" 3 4 0 3 45 -3 4 0<LIMIT>SPEAPOOLBB</LIMIT>
</TROOPS>
<TROOPS SKRM "Skirmishers" unSk 512> 3 "" 3 4 0 3 35 0 2 0</TROOPS>
<TROOPS BAGG "Baggage" unit 512> 0 "" 3 0 0 3 10 0 0 0<NOBREAK>
</TROOPS>
<TROOPS emsk "Runners" spec 512> 1 "" 3 5 0 3 15 0 0 0</TROOPS>
<TROOPS HORS "Horse" moun 2> 2 "" 3 0 0 3 25 0 1 0<LIMIT>LORDCAPT</LIMIT>
</TROOPS>
<TROOPS nomo "No mount" moun 2> 0 "" 0 0 0 0 0 0 0 0<LIMIT>LORDCAPT</LIMIT>
</TROOPS>
</NATION>
