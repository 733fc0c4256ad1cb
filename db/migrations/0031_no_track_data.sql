-- Card track data is never kept once an approval is answered. A stored card
-- approval keeps the card number and expiry (card_no, valid_thru): that is
-- all a later cancellation sends, as a keyed-in card. A stored cash receipt
-- keeps the identity number (card_no: the number as typed, or the card
-- number of a swiped card): that is what its cancellation sends. The track
-- columns go; the upload statements ignore the value the queue lines still
-- carry in their place.
ALTER TABLE card_approval DROP COLUMN track_two;
ALTER TABLE cash_receipt DROP COLUMN track_two;

-- A dropped column's values stay in the table's pages until each row is
-- written again. Rewriting the tables now (which also nulls the dropped
-- column in every row it copies) leaves no track in the live files; backups
-- and archived WAL from before still hold them (db/README.md).
CLUSTER card_approval USING card_approval_pkey;
CLUSTER cash_receipt USING cash_receipt_pkey;
ALTER TABLE card_approval SET WITHOUT CLUSTER;
ALTER TABLE cash_receipt SET WITHOUT CLUSTER;
