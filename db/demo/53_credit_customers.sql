-- Demo: house-credit customers. 0012345678 pays in advance and may only
-- spend its balance; 0023456700 is charged monthly; 0034567800's contract
-- has ended.

INSERT INTO credit_customer (member_no, cust_no, cust_name, remark, prepay_amt, prepay_only_yn, contract_from,
                             contract_to, stop_yn)
SELECT c.member_no, c.cust_no, c.cust_name, c.remark, c.prepay_amt, c.prepay_only,
       to_char(current_date + c.from_day, 'YYYYMMDD'), to_char(current_date + c.to_day, 'YYYYMMDD'), 'N'
  FROM (VALUES
    ('0012345678', 'CR-0031', '청솔건설', '현장 직원 식대 (선납)', 500000, 'Y', -30, 335),
    ('0023456700', 'CR-0044', '다온관광', '월말 청구', 0, 'N', -200, 165),
    ('0034567800', 'CR-0007', '구름산업', '계약 종료', 0, 'N', -400, -35)
  ) AS c(member_no, cust_no, cust_name, remark, prepay_amt, prepay_only, from_day, to_day)
ON CONFLICT DO NOTHING;

INSERT INTO credit_prepay_use (sale_date, member_no, seq, sale_yn, amount, emp_no)
VALUES (to_char(current_date - 2, 'YYYYMMDD'), '0012345678', 1, 'Y', 84000, 'C01'),
       (to_char(current_date - 1, 'YYYYMMDD'), '0012345678', 1, 'Y', 36000, 'C02'),
       (to_char(current_date - 1, 'YYYYMMDD'), '0012345678', 2, 'N', -12000, 'C02')
ON CONFLICT DO NOTHING;
