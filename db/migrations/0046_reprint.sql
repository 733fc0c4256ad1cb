-- What the reprint of a stored bill needs: how often the bill's receipt was
-- printed again, and which card approvals the guest signed on the sign pad
-- (their company copy prints without the signature line).

-- One row per bill reprinted at least once, under the date and number its
-- items are stored under. A reprint raises the count by at least one, also
-- when two terminals reprint the same bill at once.
CREATE TABLE bill_reprint (
    sale_date     yyyymmdd NOT NULL,
    upjang_code   text NOT NULL,
    pos_no        text NOT NULL,
    bill_no       text NOT NULL CHECK (bill_no ~ '^[0-9]{4}$'),
    reprint_count integer NOT NULL CHECK (reprint_count > 0),
    reprinted_at  timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, upjang_code, pos_no, bill_no)
);

-- 'Y' when the guest signed the approval on the sign pad. Rows stored before
-- this column, and rows of a terminal without a sign pad, say 'N': their
-- slip keeps its signature line.
ALTER TABLE card_approval ADD COLUMN sign_yn char(1) NOT NULL DEFAULT 'N' CHECK (sign_yn IN ('Y', 'N'));
