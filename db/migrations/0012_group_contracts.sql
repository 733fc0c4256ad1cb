-- Member codes (the kinds of membership and of group) and the group (event)
-- contracts that let a group's members charge their bills to the group.

CREATE TABLE member_code (
    member_code      text PRIMARY KEY,
    member_code_name text NOT NULL,
    -- 'N': the numbers of this kind come from cards only and may not be typed.
    keyin_yn         char(1) NOT NULL DEFAULT 'Y' CHECK (keyin_yn IN ('Y', 'N'))
);

CREATE TABLE group_contract (
    event_no      text PRIMARY KEY CHECK (event_no ~ '^[0-9]{10}$'),
    event_name    text NOT NULL,
    member_no     text NOT NULL,          -- the group's own number
    member_name   text NOT NULL,          -- the group's name
    remark        text NOT NULL DEFAULT '',
    member_code   text NOT NULL REFERENCES member_code,
    guest_type    text NOT NULL DEFAULT '',
    contract_from yyyymmdd NOT NULL,
    contract_to   yyyymmdd NOT NULL,
    stop_yn       char(1) NOT NULL DEFAULT 'N' CHECK (stop_yn IN ('Y', 'N')),
    CHECK (contract_from <= contract_to)
);
