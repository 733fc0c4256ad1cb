-- The integrated member base: what the terminal needs to know of a member
-- beyond the card (identity, kind, validity, cancellation), the restrictions
-- on selling to a member (black list, overdue fees), and the outlets where a
-- kind of member may not be discounted.

ALTER TABLE member
    ADD COLUMN IF NOT EXISTS id_no       text NOT NULL DEFAULT '',
    ADD COLUMN IF NOT EXISTS member_code text NOT NULL DEFAULT '',
    ADD COLUMN IF NOT EXISTS guest_type  text NOT NULL DEFAULT '',
    ADD COLUMN IF NOT EXISTS valid_from  yyyymmdd NOT NULL DEFAULT '19000101',
    ADD COLUMN IF NOT EXISTS valid_to    yyyymmdd NOT NULL DEFAULT '99991231',
    ADD COLUMN IF NOT EXISTS cancel_date yyyymmdd;

-- L special member (sell after checking who it is), Y use of the sports
-- facilities stopped, F lift tickets restricted.
CREATE TABLE member_black_list (
    member_no  text NOT NULL REFERENCES member,
    black_kind char(1) NOT NULL CHECK (black_kind IN ('L', 'Y', 'F')),
    valid_from yyyymmdd NOT NULL DEFAULT '19000101',
    valid_to   yyyymmdd NOT NULL DEFAULT '99991231',
    reason     text NOT NULL DEFAULT '',
    PRIMARY KEY (member_no, black_kind, valid_from),
    CHECK (valid_from <= valid_to)
);

-- Fees a member owes; an overdue member is not sold to until it is cleared.
CREATE TABLE member_overdue (
    member_no    text NOT NULL REFERENCES member,
    overdue_from yyyymmdd NOT NULL,
    amount       numeric(18, 4) NOT NULL DEFAULT 0,
    cleared_date yyyymmdd,
    PRIMARY KEY (member_no, overdue_from)
);

CREATE TABLE dc_limit (
    upjang_code text NOT NULL,
    member_code text NOT NULL REFERENCES member_code,
    PRIMARY KEY (upjang_code, member_code)
);
