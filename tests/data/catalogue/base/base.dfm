<!-- Four nations in the buckets the built-in lists use, plus shared tables. -->
<NATION 1 "First" "First army">
<INFO>Nation one.</INFO>
<TROOPS GEN1 "General" char 16384> 2 "" 0 0 9 1 100 1 -1
</TROOPS>
</NATION>
<NATION 2 "Second" "Second army"></NATION>
<NATION 4 "Fourth" "Fourth army">
<INFO>Original fourth.</INFO>
<TROOPS OLD1 "Old guard" unit 512> 1 "" 3 3 0 3 40 0 0
</TROOPS>
</NATION>
<NATION 8 "Eighth" "Eighth army"></NATION>
<NATION 16 "Sixteenth" "Sixteenth army"></NATION>
<TRCAT 512 Inf "Infantry">
<TRCAT 256 Cav "Cavalry">
<MITEM nomi "No magic item" -1> 0 -1
</MITEM>
<ENGINE noen "No siege engine" 0>
</ENGINE>
<SPECIAL RG15 "Range 15cm." 0>
<INFO>Shoots at 15 cm.</INFO>
</SPECIAL>
