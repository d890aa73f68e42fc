<!-- The Marsh Folk: a complete army list for Ovra, to copy from. It uses a
     pool, a troop type left out of the breakpoint, runners, a mount for the
     general alone, magic items, a siege engine and information texts, and
     `ovra lint marsh-folk.dfm` finds nothing in it. Save your own copy as
     Windows-1252, and keep each paragraph of a text on one line. -->

<NATION 8192 "Marsh Folk" "Marsh Folk army">
<INFO>The Marsh Folk live on the islands and reed banks of the great fen. They fight from punts and from the reeds, and they bring up the beasts of the marsh when an enemy comes too close.

Field a chief, a wise woman if you like, spearmen for every thousand points and at least one of the marsh beasts: giant toads or swamp serpents.</INFO>

<TROOPS CHIF "Fen Chief" char 16384> 2 "" 0 0 9 1 100 1 -1 1
<INFO>The chief of the fen villages, and the army's general.</INFO>
</TROOPS>
<TROOPS WISE "Wise Woman" char 4096> 1 "" 0 0 7 1 70 0 1 2
<INFO>A healer and seer who reads the mists.</INFO>
</TROOPS>
<TROOPS SPER "Reed spearmen" unit 512> 3 "" 3 0 0 3 40 2 0
</TROOPS>
<TROOPS PUNT "Punt crews" unSk 512> 2 "1" 3 0 0 3 45 0 3
<UINFO>Punt crews may land anywhere along a waterway and push off again in the same turn.</UINFO>
</TROOPS>
<TROOPS TOAD "Giant toads" unit 64> 3 "" 3 4 0 3 60 -1 2
<LIMIT>SERP</LIMIT>
<SRULE>TERR</SRULE>
</TROOPS>
<TROOPS SERP "Swamp serpents" unit 64> 4 "" 3 4 0 3 70 0 2
<SRULE>TERR</SRULE>
</TROOPS>
<TROOPS EELS "Eel traps" unit 512> 0 "" 3 0 0 3 10 0 1
<INFO>The eel traps and the boats that carry them. Their loss does not break the army.</INFO>
<NOBREAK>
</TROOPS>
<TROOPS emsk "Mud runners" spec 512> 1 "1" 3 0 0 3 20 0 0
<SRULE>SKIR</SRULE>
</TROOPS>
<TROOPS MELK "Marsh elk" moun 2> 2 "" 0 0 0 1 25 0 -1
<INFO>A great elk of the fen, fit only for the chief.</INFO>
<LIMIT>CHIF</LIMIT>
</TROOPS>
<TROOPS nomo "No mount" moun 1> 0 "" 0 0 0 0 0 0 0
<LIMIT>CHIF</LIMIT>
</TROOPS>
</NATION>

<MITEM fnsp "Fen spear" 1> 15 16384
<INFO>The chief's spear: +1 attack in the first round of every combat.</INFO>
</MITEM>
<MITEM lamp "Bog lantern" 2> 10 4096
<INFO>The wise woman's lantern: enemy units within 20 cm of her are at -1 command.</INFO>
</MITEM>

<ENGINE raft "Siege raft" 15>
<INFO>A raft of lashed reeds with a mantlet at its bow, for crossing a moat under fire.</INFO>
</ENGINE>
