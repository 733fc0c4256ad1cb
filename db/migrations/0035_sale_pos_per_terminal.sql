-- A POS number under which a terminal records its sales for a further outlet
-- belongs to that one terminal. The sale, payment and card rows of a bill are
-- keyed by sale date, outlet, POS number and bill number, and each terminal
-- counts its bill numbers by itself: two terminals selling for the same
-- outlet under the same number would write the same keys and refuse each
-- other's bills.
--
-- A database that already gives one number to two terminals stops here, the
-- error naming that outlet and number; give each of those terminals its own
-- number there (in pos_sale_upjang, and as a POS of that outlet in
-- upjang_pos) and run the migrations again.
ALTER TABLE pos_sale_upjang
    ADD CONSTRAINT pos_sale_upjang_sale_pos_once UNIQUE (sale_upjang_code, sale_pos_no);
