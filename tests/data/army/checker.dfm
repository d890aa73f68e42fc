<MICAT 1 "Any">
<TRCAT 512 Inf "Infantry">
<TRCAT 8 Ch "Character">
<TRCAT 2 Mo "Mount">
<MITEM ring "Ring" 1> 10 -1</MITEM>
<MITEM nomi "No item" 1> 0 -1</MITEM>
<NATION 1 "N" "A">
<TROOPS LORD "Lord" char 8> 1 "" 0 0 9 1 50 1 -1 1</TROOPS>
<TROOPS SPEA "Spears" unit 512> 3 "" 3 4 0 3 40 2 3 0</TROOPS>
<TROOPS POOL "Pool" unit 512> 3 "" 3 4 0 3 45 -2 4 0<LIMIT>SPEA</LIMIT>
</TROOPS>
<TROOPS HORS "Horse" moun 2> 2 "" 3 0 0 3 25 0 1 0<LIMIT>LORD</LIMIT>
</TROOPS>
<TROOPS nomo "No mount" moun 2> 0 "" 0 0 0 0 0 0 0 0<LIMIT>LORD</LIMIT>
</TROOPS>
</NATION>
